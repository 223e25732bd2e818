// The formats of a build without the reference libraries: only TGA, which our own code reads; no sounds.
#include "convert/ConvertedFormats.h"

const std::vector<TPictureFormat> &PictureFormats() {
  static const std::vector<TPictureFormat> formats{{".TGA", DecodeTga}};
  return formats;
}

const std::vector<std::string> &SoundFormats() {
  static const std::vector<std::string> formats;
  return formats;
}

TSoundConverter SoundConverter() { return nullptr; }
