// Whether pictures and sounds are converted as they are added, and the rate sounds are resampled to; kept in
// config.ini, section "Conversion".
#pragma once

#include <array>
#include <cstdint>

struct TConversionSettings {
  bool Pictures = true;   // "Pictures": PNG, GIF, WebP and TGA become BMP
  bool Sounds = true;     // "Sounds": OGG, FLAC and MP3 become WAV
  int32_t SampleRate = 0; // "SampleRate": 0 keeps each sound's own rate
  bool operator==(const TConversionSettings &) const = default;
};

// The rates offered ("beze změny" is 0).
constexpr std::array<int32_t, 4> OfferedSampleRates{0, 11025, 22050, 44100};

// Missing keys give the defaults (both on, the sound's own rate); a rate not offered reads as 0.
TConversionSettings ReadConversionSettings();
// Throws EIniFileException when config.ini cannot be written.
void WriteConversionSettings(const TConversionSettings &settings);
