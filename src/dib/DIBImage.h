// The image proper of a device-independent bitmap, shared by reference count between pictures.
#pragma once

#include "dib/DIBFormat.h"
#include "dib/DIBPalette.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The palette an image took from the cache; given back when the image goes. A copy starts without one.
class TCachedPalette {
public:
  TCachedPalette() = default;
  TCachedPalette(const TCachedPalette &) {}
  TCachedPalette &operator=(const TCachedPalette &) = delete;
  ~TCachedPalette() {
    if (Handle != nullptr)
      TPaletteManager::Instance().Release(Handle);
  }
  TPaletteHandle Handle = nullptr;
  bool Changed = true; // the colour table changed since Handle was looked up
};

class TDIBSharedImage {
public:
  // Images larger than this many pixels are not made: their 32-bit form alone would take a gigabyte.
  static constexpr int64_t MaxPixels = int64_t{1} << 28;

  // Throws EInvalidGraphicOperation unless depth is 1, 4, 8, 16, 24 or 32 with a format that fits it.
  static void CheckFormat(int depth, const TChannelLayout &layout);
  // The row stride of an image of this size; throws EOutOfResources when such an image is out of reach.
  static int64_t CheckSize(int64_t width, int64_t height, int depth);

  // An uncompressed image with zeroed pixels, rows bottom first.
  TDIBSharedImage(int width, int height, int depth, const TChannelLayout &layout, const TColorTable &colors);
  // A run-length encoded image (RLE8 for depth 8, RLE4 for depth 4) keeping data as it is.
  TDIBSharedImage(int width, int height, int depth, const TColorTable &colors, std::vector<uint8_t> runLengthData);
  TDIBSharedImage(const TDIBSharedImage &) = default;
  TDIBSharedImage &operator=(const TDIBSharedImage &) = delete;

  int Depth;
  int Width;
  int Height;
  int64_t RowStride;
  int64_t DataSize;
  int EntryCount;
  TChannelLayout ChannelLayout;
  TColorTable Colors;
  bool RunLength = false;
  std::vector<uint8_t> Pixels;    // bottom row first; the encoded data of a run-length image
  std::vector<uint8_t> InfoBlock; // information header, masks and colour table as written to files

  int64_t RowStep() const { return -RowStride; }
  uint8_t *TopRow() { return Pixels.data() + (Height - 1) * RowStride; }
  // Row y counted from the top; only for an uncompressed image.
  uint8_t *Row(int y) { return Pixels.data() + (Height - 1 - y) * RowStride; }
  const uint8_t *Row(int y) const { return Pixels.data() + (Height - 1 - y) * RowStride; }

  void SetColors(const TColorTable &colors);
  // The platform palette of the colour table, looked up again when the table changed; null without entries.
  TPaletteHandle Palette();

  // An uncompressed image of the same size, depth, format and colours with the run-length data decoded.
  std::shared_ptr<TDIBSharedImage> UncompressedCopy() const;
  // Writes the pixels as 0xFFRRGGBB, rows top to bottom; a run-length image is decoded on the way.
  void ReadPixels32(uint32_t *dest, std::ptrdiff_t destStride) const;

private:
  void BuildInfoBlock();
  TCachedPalette palette;
};

// The process-wide empty image: no pixels, 8 bits, grey colour table.
const std::shared_ptr<TDIBSharedImage> &EmptyDIBImage();
