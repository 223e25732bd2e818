// The formats of a build with the reference libraries: libpng, giflib, libwebp and our TGA reader; libsndfile.
#include "convert/ConvertedFormats.h"

#include "convert/SoundConversion.h"

const std::vector<TPictureFormat> &PictureFormats() {
  static const std::vector<TPictureFormat> formats{
      {".PNG", DecodePng}, {".GIF", DecodeGif}, {".WEBP", DecodeWebp}, {".TGA", DecodeTga}};
  return formats;
}

const std::vector<std::string> &SoundFormats() {
  static const std::vector<std::string> formats{".OGG", ".OGA", ".OPUS", ".FLAC", ".MP3"};
  return formats;
}

TSoundConverter SoundConverter() { return ConvertSound; }
