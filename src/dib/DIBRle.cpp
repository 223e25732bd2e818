// RLE8 and RLE4 decoding, clipped to the image.
#include "dib/DIBRle.h"

namespace {
class TRunLengthTarget {
public:
  TRunLengthTarget(int depth, int width, int height, int64_t rowStride, uint8_t *pixels)
      : fourBits(depth == 4), width(width), height(height), rowStride(rowStride), pixels(pixels) {}

  bool AboveTop() const { return y >= height; }
  void EndOfLine() { x = 0, ++y; }
  void Move(int dx, int dy) { x += dx, y += dy; }

  // Writes one pixel at the current position, if that lies inside the image, and moves right.
  void Put(uint8_t value) {
    if (x < width && y < height) {
      uint8_t *row = pixels + y * rowStride;
      if (!fourBits)
        row[x] = value;
      else if (x % 2 == 0)
        row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0x0F) | (value << 4));
      else
        row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0xF0) | (value & 0x0F));
    }
    ++x;
  }

private:
  bool fourBits;
  int64_t width, height, rowStride;
  uint8_t *pixels;
  int64_t x = 0, y = 0;
};
} // namespace

void DecodeRunLength(const uint8_t *data, std::size_t size, int depth, int width, int height, int64_t rowStride,
                     uint8_t *pixels) {
  TRunLengthTarget target(depth, width, height, rowStride, pixels);
  const bool fourBits = depth == 4;
  std::size_t position = 0;
  while (position + 2 <= size && !target.AboveTop()) {
    const uint8_t count = data[position], code = data[position + 1];
    position += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i)
        target.Put(fourBits ? (i % 2 == 0 ? code >> 4 : code & 0x0F) : code);
    } else if (code == 0) {
      target.EndOfLine();
    } else if (code == 1) {
      break;
    } else if (code == 2) {
      if (position + 2 > size)
        break;
      target.Move(data[position], data[position + 1]);
      position += 2;
    } else {
      const std::size_t bytes = fourBits ? (code + 1) / 2 : code;
      if (position + bytes > size)
        break;
      for (int i = 0; i < code; ++i) {
        const uint8_t byte = data[position + (fourBits ? i / 2 : i)];
        target.Put(fourBits ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
      }
      position += bytes;
    }
    position += position % 2; // every code starts at an even position
  }
}
