// A picture with alpha written as a 24-bit BMP whose transparent pixels carry one key colour.
#pragma once

#include "convert/RgbaPicture.h"

#include <cstdint>

class TStream;

struct TKeyedBitmap {
  bool Transparent = false; // some pixel was keyed out
  uint32_t KeyColor = 0;    // 0x00BBGGRR
  int64_t Size = 0;         // bytes written
};

// clFuchsia, the runtime's usual key colour.
constexpr uint32_t FuchsiaKey = 0x00FF00FF;

// The key colour for picture: fuchsia when no pixel that stays (alpha at least half) has it, else the first of a
// few other plain colours, else the first colour after fuchsia, that none has. Throws EConversionError when the
// picture uses every colour.
uint32_t ChooseKeyColor(const TRgbaPicture &picture);
// Writes picture at target's position: pixels with alpha below half become the key colour, the others keep their
// own colour (never blended with anything).
TKeyedBitmap WriteKeyedBitmap(const TRgbaPicture &picture, TStream &target);
