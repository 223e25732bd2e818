// JPEG decoding with libjpeg, without any window system: the header at once, the pixels as 0xFFRRGGBB on demand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Pictures beyond this many pixels are not decoded: their 32-bit form alone would take a gigabyte.
constexpr int64_t MaxJpegPixels = int64_t{1} << 28;

struct TJpegHeader {
  int Width = 0;
  int Height = 0;
  // 8 bits per component: 8 for a grey picture, 24 for colour, 32 for CMYK.
  int BitDepth = 0;
};

// One decoder over a memory block it does not own (the block must outlive it); errors are Exception with the Czech
// text of the defect, never an exit of the program.
class TJpegDecoder {
public:
  // Reads the header; throws for bytes that are no JPEG.
  TJpegDecoder(const uint8_t *data, std::size_t size);
  ~TJpegDecoder();
  TJpegDecoder(const TJpegDecoder &) = delete;
  TJpegDecoder &operator=(const TJpegDecoder &) = delete;

  const TJpegHeader &Header() const { return header; }
  // Decodes every row, top to bottom, into dest (Width pixels each, destStride pixels apart); once per decoder.
  // Throws for a picture beyond MaxJpegPixels or data that breaks off.
  void ReadPixels32(uint32_t *dest, std::ptrdiff_t destStride);

private:
  struct TState;
  std::unique_ptr<TState> state;
  TJpegHeader header;
};
