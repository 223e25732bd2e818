// Converting the pictures and sounds artists deliver today into what the runtime reads, on the way into a
// document: PNG, GIF, WebP and TGA into 24-bit BMP with one key colour, OGG, FLAC and MP3 into 16-bit PCM WAV.
#pragma once

#include "platform/Exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

class TStream;

enum class TMediaGroup { Pictures, Sounds };

// A file that cannot be converted; the text names the file and the reason.
class EConversionError : public Exception {
public:
  using Exception::Exception;
};

// What a conversion made.
struct TConversionResult {
  std::string Ext;          // ".BMP" or ".WAV"
  int64_t Size = 0;         // bytes written
  // Pictures: whether any pixel was keyed out, and the key colour as 0x00BBGGRR.
  bool Transparent = false;
  uint32_t KeyColor = 0;
  // Sounds: the rate written and the file's own.
  int32_t SampleRate = 0;
  int32_t SourceRate = 0;
};

// The converted formats of a group by extension (upper case, with the dot), in the order they are named.
const std::vector<std::string> &ConvertedExtensions(TMediaGroup group);
// ".BMP" or ".WAV": what the group's converted files become.
const char *ConvertedTargetExtension(TMediaGroup group);
// Whether a file with this extension (upper case, with the dot) is converted in group.
bool IsConvertedExtension(TMediaGroup group, const std::string &ext);

// Converts the file at path into target from its position on. A sound is resampled to targetRate unless it is 0
// or the file's own rate. Throws EConversionError naming the file; target may then hold part of the output.
TConversionResult ConvertFile(TMediaGroup group, const std::string &path, TStream &target, int32_t targetRate);
