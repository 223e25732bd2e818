// The formats this build converts, in the order they are named, each with what reads it: a build with the
// reference libraries converts PNG, GIF, WebP and TGA pictures and OGG, FLAC and MP3 sounds; one without them
// (Windows) only what our own code reads, TGA.
#pragma once

#include "convert/Conversion.h"
#include "convert/RgbaPicture.h"

#include <cstdint>
#include <string>
#include <vector>

using TPictureDecoder = TRgbaPicture (*)(const std::vector<uint8_t> &bytes);
using TSoundConverter = TConversionResult (*)(const std::string &path, TStream &target, int32_t targetRate);

struct TPictureFormat {
  std::string Ext; // upper case, with the dot
  TPictureDecoder Decode;
};

const std::vector<TPictureFormat> &PictureFormats();
// The sound formats' extensions, all read by SoundConverter(); empty where the build has none.
const std::vector<std::string> &SoundFormats();
TSoundConverter SoundConverter();
