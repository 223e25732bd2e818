// Sounds decoded with libsndfile (OGG Vorbis and Opus, FLAC, MP3) and written as 16-bit PCM WAV, resampled with
// libsamplerate when asked.
#pragma once

#include "convert/Conversion.h"

#include <cstdint>
#include <string>

class TStream;

// Throws EConversionError with the reason only (ConvertFile names the file).
TConversionResult ConvertSound(const std::string &path, TStream &target, int32_t targetRate);
