// Picture and sound files made in the tests: 24-bit BMP, an ICO of one such image, PCM wave files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace PictureFiles {
// 0xRRGGBB of the pixel at (x, y), y from the top.
using TPixelOf = std::function<uint32_t(int x, int y)>;

inline void Put(std::string &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// The information header and bottom-up pixel rows of a 24-bit DIB; heightFactor 2 for an icon's colour and mask.
inline std::string Dib24(int width, int height, const TPixelOf &pixel, int heightFactor = 1) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string out;
  for (const uint32_t field : {40u, uint32_t(width), uint32_t(height * heightFactor)})
    Put(out, field, 4);
  Put(out, 1, 2);
  Put(out, 24, 2);
  Put(out, 0, 4);
  Put(out, uint32_t(stride * height), 4);
  for (int i = 0; i < 4; ++i)
    Put(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x)
      Put(out, pixel(x, y), 3);
    out.append(std::size_t(stride - width * 3), '\0');
  }
  return out;
}

inline std::string Bmp24(int width, int height, const TPixelOf &pixel) {
  const std::string dib = Dib24(width, height, pixel);
  std::string out = "BM";
  Put(out, uint32_t(14 + dib.size()), 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  return out + dib;
}

inline std::string Ico24(int size, const TPixelOf &pixel) {
  std::string image = Dib24(size, size, pixel, 2);
  image.append(std::size_t((size + 31) / 32 * 4 * size), '\0'); // the AND mask: nothing masked
  std::string out;
  for (const uint32_t field : {0u, 1u, 1u})
    Put(out, field, 2);
  Put(out, uint32_t(size), 1);
  Put(out, uint32_t(size), 1);
  Put(out, 0, 2);
  Put(out, 1, 2);
  Put(out, 24, 2);
  Put(out, uint32_t(image.size()), 4);
  Put(out, 22, 4);
  return out + image;
}

// A wave file of samples of silence; formatTag 1 is PCM.
inline std::string Wave(uint32_t rate, uint16_t formatTag = 1, uint32_t samples = 100) {
  std::string out = "RIFF";
  Put(out, 36 + samples * 2, 4);
  out += "WAVEfmt ";
  Put(out, 16, 4);
  Put(out, formatTag, 2);
  Put(out, 1, 2);
  Put(out, rate, 4);
  Put(out, rate * 2, 4);
  Put(out, 2, 2);
  Put(out, 16, 2);
  out += "data";
  Put(out, samples * 2, 4);
  return out + std::string(samples * 2, '\0');
}
} // namespace PictureFiles
