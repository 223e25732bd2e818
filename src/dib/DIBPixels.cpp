// Expands DIB rows of every depth into 32-bit pixels: colour tables looked up, bit fields scaled to 8 bits.
#include "dib/DIBImage.h"

#include <array>
#include <vector>

namespace {
constexpr uint32_t Opaque = 0xFF000000;

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return Opaque | red << 16 | green << 8 | blue; }

std::array<uint32_t, 256> ColorLookup(const TColorTable &colors) {
  std::array<uint32_t, 256> lookup{};
  for (int i = 0; i < 256; ++i)
    lookup[i] = Rgb(colors[i].Red, colors[i].Green, colors[i].Blue);
  return lookup;
}

// Values of a bits-wide channel stretched to 0..255, rounded to the nearest step.
std::vector<uint32_t> ChannelScale(int bits) {
  if (bits == 0)
    return {0};
  const uint32_t top = (1u << bits) - 1;
  std::vector<uint32_t> scale(top + 1);
  for (uint32_t value = 0; value <= top; ++value)
    scale[value] = (value * 255 + top / 2) / top;
  return scale;
}

class TBitFieldConverter {
public:
  explicit TBitFieldConverter(const TChannelLayout &layout)
      : layout(layout), red(ChannelScale(layout.RedBits)), green(ChannelScale(layout.GreenBits)),
        blue(ChannelScale(layout.BlueBits)) {}
  uint32_t operator()(uint32_t value) const {
    return Rgb(red[(value & layout.RedMask) >> layout.RedShift], green[(value & layout.GreenMask) >> layout.GreenShift],
               blue[(value & layout.BlueMask) >> layout.BlueShift]);
  }

private:
  TChannelLayout layout;
  std::vector<uint32_t> red, green, blue;
};

void IndexedRow(const uint8_t *source, int width, int depth, const std::array<uint32_t, 256> &lookup, uint32_t *out) {
  switch (depth) {
  case 1:
    for (int x = 0; x < width; ++x)
      out[x] = lookup[(source[x >> 3] >> (7 - (x & 7))) & 1];
    break;
  case 4:
    for (int x = 0; x < width; ++x)
      out[x] = lookup[x % 2 == 0 ? source[x >> 1] >> 4 : source[x >> 1] & 0x0F];
    break;
  default:
    for (int x = 0; x < width; ++x)
      out[x] = lookup[source[x]];
  }
}
} // namespace

void TDIBSharedImage::ReadPixels32(uint32_t *dest, std::ptrdiff_t destStride) const {
  if (RunLength) {
    UncompressedCopy()->ReadPixels32(dest, destStride);
    return;
  }
  const auto lookup = ColorLookup(Colors);
  const bool plain32 = Depth == 32 && ChannelLayout == Layout888;
  const TBitFieldConverter bitFields(Depth == 16 || Depth == 32 ? ChannelLayout : Layout888);
  for (int y = 0; y < Height; ++y) {
    const uint8_t *source = Row(y);
    uint32_t *out = dest + y * destStride;
    if (Depth <= 8) {
      IndexedRow(source, Width, Depth, lookup, out);
    } else if (Depth == 24) {
      for (int x = 0; x < Width; ++x, source += 3)
        out[x] = Rgb(source[2], source[1], source[0]);
    } else if (plain32) {
      for (int x = 0; x < Width; ++x, source += 4)
        out[x] = Rgb(source[2], source[1], source[0]);
    } else if (Depth == 16) {
      for (int x = 0; x < Width; ++x, source += 2)
        out[x] = bitFields(source[0] | source[1] << 8);
    } else {
      for (int x = 0; x < Width; ++x, source += 4)
        out[x] = bitFields(source[0] | source[1] << 8 | source[2] << 16 | uint32_t{source[3]} << 24);
    }
  }
}
