// Pixel formats of device-independent bitmaps: channel layouts, colour tables and row arithmetic.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct TRGBQuad {
  uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
  bool operator==(const TRGBQuad &) const = default;
};
using TColorTable = std::array<TRGBQuad, 256>;

// The compression field of an information header.
enum TDIBCompression : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

// The binary records of a DIB, each listing its fields once for reading and writing (Fields(record, coder)).

// The file header before the information header of a DIB file.
struct TBitmapFileHeader {
  static constexpr std::size_t Size = 14;
  static constexpr uint16_t Magic = 0x4D42; // "BM"
  uint16_t Type = 0;
  uint32_t FileSize = 0;
  uint32_t Reserved = 0;
  uint32_t BitsOffset = 0;

  template <typename TRecord, typename TCoder> static void Fields(TRecord &h, TCoder &coder) {
    coder.Field(h.Type); coder.Field(h.FileSize); coder.Field(h.Reserved); coder.Field(h.BitsOffset);
  }
};

// The OS/2 core header (read only).
struct TBitmapCoreHeader {
  static constexpr std::size_t Size = 12;
  uint32_t HeaderSize = Size;
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint16_t Planes = 1;
  uint16_t BitCount = 0;

  template <typename TRecord, typename TCoder> static void Fields(TRecord &h, TCoder &coder) {
    coder.Field(h.HeaderSize); coder.Field(h.Width); coder.Field(h.Height); coder.Field(h.Planes);
    coder.Field(h.BitCount);
  }
};

// The information header.
struct TBitmapInfoHeader {
  static constexpr std::size_t Size = 40;
  uint32_t HeaderSize = Size;
  int32_t Width = 0;
  int32_t Height = 0; // negative for top-down rows
  uint16_t Planes = 1;
  uint16_t BitCount = 0;
  uint32_t Compression = 0;
  uint32_t ImageSize = 0;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ColorsUsed = 0;
  uint32_t ColorsImportant = 0;

  template <typename TRecord, typename TCoder> static void Fields(TRecord &h, TCoder &coder) {
    coder.Field(h.HeaderSize); coder.Field(h.Width); coder.Field(h.Height); coder.Field(h.Planes);
    coder.Field(h.BitCount); coder.Field(h.Compression); coder.Field(h.ImageSize); coder.Field(h.XPelsPerMeter);
    coder.Field(h.YPelsPerMeter); coder.Field(h.ColorsUsed); coder.Field(h.ColorsImportant);
  }
};

// Where the red, green and blue channels sit in a 16- or 32-bit pixel.
struct TChannelLayout {
  uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;
  int RedBits = 0, GreenBits = 0, BlueBits = 0;
  int RedShift = 0, GreenShift = 0, BlueShift = 0; // lowest bit of each mask

  // Blue in the lowest bits, green above it, red above that.
  static TChannelLayout FromBitCounts(int red, int green, int blue);
  // Masks as a bit-field file gives them; each channel is the run of set bits from the mask's lowest set bit.
  static TChannelLayout FromMasks(uint32_t red, uint32_t green, uint32_t blue);

  bool HasBitCounts(int red, int green, int blue) const {
    return RedBits == red && GreenBits == green && BlueBits == blue;
  }
  // True when the channels neither overlap nor reach beyond a pixel of depth bits.
  bool FitsDepth(int depth) const;
  bool operator==(const TChannelLayout &) const = default;
};

inline const TChannelLayout Layout888 = TChannelLayout::FromBitCounts(8, 8, 8);
inline const TChannelLayout Layout555 = TChannelLayout::FromBitCounts(5, 5, 5);
inline const TChannelLayout Layout565 = TChannelLayout::FromBitCounts(5, 6, 5);

// Bytes per row, rounded up to whole 32-bit words; -1 when the width is out of range.
int64_t RowStrideOf(int depth, int64_t width);
// Colour-table entries an image of this depth carries: 2^depth up to 8 bits, else none.
int EntryCountOf(int depth);
// The 256-level grey table of the empty image.
TColorTable GreyColorTable();
