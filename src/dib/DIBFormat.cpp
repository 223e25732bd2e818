// Channel layouts from bit counts or masks, and row sizes.
#include "dib/DIBFormat.h"

#include <bit>

namespace {
uint32_t MaskOf(int bits, int shift) {
  return bits == 0 ? 0 : static_cast<uint32_t>(((uint64_t{1} << bits) - 1) << shift);
}

// The run of consecutive set bits that starts at the mask's lowest set bit.
void Channel(uint32_t mask, uint32_t &channelMask, int &bits, int &shift) {
  if (mask == 0) {
    channelMask = 0, bits = 0, shift = 0;
    return;
  }
  shift = std::countr_zero(mask);
  bits = std::countr_one(mask >> shift);
  channelMask = MaskOf(bits, shift);
}
} // namespace

TChannelLayout TChannelLayout::FromBitCounts(int red, int green, int blue) {
  TChannelLayout layout;
  layout.RedBits = red, layout.GreenBits = green, layout.BlueBits = blue;
  layout.BlueShift = 0, layout.GreenShift = blue, layout.RedShift = green + blue;
  layout.RedMask = MaskOf(red, layout.RedShift);
  layout.GreenMask = MaskOf(green, layout.GreenShift);
  layout.BlueMask = MaskOf(blue, layout.BlueShift);
  return layout;
}

TChannelLayout TChannelLayout::FromMasks(uint32_t red, uint32_t green, uint32_t blue) {
  TChannelLayout layout;
  Channel(red, layout.RedMask, layout.RedBits, layout.RedShift);
  Channel(green, layout.GreenMask, layout.GreenBits, layout.GreenShift);
  Channel(blue, layout.BlueMask, layout.BlueBits, layout.BlueShift);
  return layout;
}

bool TChannelLayout::FitsDepth(int depth) const {
  const uint64_t all = uint64_t{RedMask} | GreenMask | BlueMask;
  const bool overlap = (RedMask & GreenMask) || (RedMask & BlueMask) || (GreenMask & BlueMask);
  return !overlap && (depth >= 32 || (all >> depth) == 0);
}

int64_t RowStrideOf(int depth, int64_t width) {
  if (width < 0 || width > INT32_MAX || depth <= 0 || depth > 32)
    return -1;
  return (depth * width + 31) / 32 * 4;
}

int EntryCountOf(int depth) { return depth <= 8 ? 1 << depth : 0; }

TColorTable GreyColorTable() {
  TColorTable colors;
  for (int i = 0; i < 256; ++i)
    colors[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i), 0};
  return colors;
}
