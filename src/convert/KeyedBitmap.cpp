// A picture with alpha written as a 24-bit BMP whose transparent pixels carry one key colour.
#include "convert/KeyedBitmap.h"

#include "convert/Conversion.h"
#include "convert/ConvertMessages.h"
#include "platform/LittleEndian.h"
#include "platform/Streams.h"
#include "platform/TextLanguage.h"

#include <array>

namespace {
constexpr uint8_t halfAlpha = 128;
constexpr uint32_t fileHeaderBytes = 14;
constexpr uint32_t infoHeaderBytes = 40;

bool Stays(const uint8_t *pixel) { return pixel[3] >= halfAlpha; }

// 0x00BBGGRR of a pixel's colour.
uint32_t ColorOf(const uint8_t *pixel) {
  return pixel[0] | static_cast<uint32_t>(pixel[1]) << 8 | static_cast<uint32_t>(pixel[2]) << 16;
}

bool AnyKeyedOut(const TRgbaPicture &picture) {
  for (std::size_t at = 0; at < picture.Pixels.size(); at += 4)
    if (!Stays(&picture.Pixels[at]))
      return true;
  return false;
}
} // namespace

uint32_t ChooseKeyColor(const TRgbaPicture &picture) {
  std::vector<bool> used(1u << 24);
  for (std::size_t at = 0; at < picture.Pixels.size(); at += 4)
    if (Stays(&picture.Pixels[at]))
      used[ColorOf(&picture.Pixels[at])] = true;
  // Plain colours far from each other first: a key near a colour the picture uses would read as a fringe.
  constexpr std::array<uint32_t, 6> plain{FuchsiaKey, 0x0000FF00, 0x00FFFF00, 0x00FF0000, 0x000000FF, 0x0000FFFF};
  for (const uint32_t color : plain)
    if (!used[color])
      return color;
  for (uint32_t step = 1; step < (1u << 24); ++step) {
    const uint32_t color = (FuchsiaKey + step) & 0x00FFFFFF;
    if (!used[color])
      return color;
  }
  throw EConversionError(Translated(ConvertMessages::NoFreeColour));
}

TKeyedBitmap WriteKeyedBitmap(const TRgbaPicture &picture, TStream &target) {
  TKeyedBitmap result;
  result.Transparent = AnyKeyedOut(picture);
  result.KeyColor = ChooseKeyColor(picture);
  const uint32_t rowBytes = (picture.Width * 3 + 3) & ~3u;
  const uint64_t imageBytes = uint64_t{rowBytes} * picture.Height;
  TByteWriter header;
  header.Raw("BM", 2);
  header.U32(static_cast<uint32_t>(fileHeaderBytes + infoHeaderBytes + imageBytes));
  header.U32(0);
  header.U32(fileHeaderBytes + infoHeaderBytes);
  header.U32(infoHeaderBytes);
  header.U32(picture.Width);
  header.U32(picture.Height); // positive: rows from the bottom
  header.U16(1);
  header.U16(24);
  header.U32(0); // BI_RGB
  header.U32(static_cast<uint32_t>(imageBytes));
  header.U32(2835); // 72 dpi
  header.U32(2835);
  header.U32(0);
  header.U32(0);
  header.WriteTo(target);
  const uint8_t key[3] = {static_cast<uint8_t>(result.KeyColor >> 16), static_cast<uint8_t>(result.KeyColor >> 8),
                          static_cast<uint8_t>(result.KeyColor)};
  std::vector<uint8_t> row(rowBytes, 0);
  for (uint32_t y = picture.Height; y-- > 0;) {
    const uint8_t *pixel = &picture.Pixels[std::size_t{y} * picture.Width * 4];
    for (uint32_t x = 0; x < picture.Width; ++x, pixel += 4) {
      uint8_t *out = &row[std::size_t{x} * 3];
      if (Stays(pixel)) {
        out[0] = pixel[2];
        out[1] = pixel[1];
        out[2] = pixel[0];
      } else {
        out[0] = key[0];
        out[1] = key[1];
        out[2] = key[2];
      }
    }
    target.WriteBuffer(row.data(), rowBytes);
  }
  result.Size = fileHeaderBytes + infoHeaderBytes + static_cast<int64_t>(imageBytes);
  return result;
}
