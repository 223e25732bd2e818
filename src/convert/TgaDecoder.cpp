// TGA pictures, read here (Debian has no small library for them): true colour, grey and colour-mapped, plain or
// run-length encoded, 8/15/16/24/32 bits per pixel. Every read goes through a bounds-checked cursor and the
// picture's size is checked before anything is allocated, so a hostile file gets its refusal, never a crash.
#include "convert/Conversion.h"
#include "convert/ConvertMessages.h"
#include "convert/RgbaPicture.h"
#include "platform/LittleEndian.h"
#include "platform/TextLanguage.h"

#include <array>

namespace {
struct TTgaHeader {
  uint8_t IdLength = 0, ColorMapType = 0, ImageType = 0;
  uint16_t MapFirst = 0, MapLength = 0;
  uint8_t MapEntryBits = 0;
  uint16_t XOrigin = 0, YOrigin = 0, Width = 0, Height = 0;
  uint8_t PixelBits = 0, Descriptor = 0;
};

template <typename Coder> void Fields(TTgaHeader &h, Coder &c) {
  c.Field(h.IdLength), c.Field(h.ColorMapType), c.Field(h.ImageType), c.Field(h.MapFirst), c.Field(h.MapLength);
  c.Field(h.MapEntryBits), c.Field(h.XOrigin), c.Field(h.YOrigin), c.Field(h.Width), c.Field(h.Height);
  c.Field(h.PixelBits), c.Field(h.Descriptor);
}

[[noreturn]] void Refuse(const std::string &why) {
  throw EConversionError(Substitute(Translated(ConvertMessages::NotTga), {why}));
}

enum class TTgaColors { Mapped, True, Grey };

TTgaColors ColorsOf(uint8_t imageType) {
  switch (imageType & ~8u) {
  case 1: return TTgaColors::Mapped;
  case 2: return TTgaColors::True;
  case 3: return TTgaColors::Grey;
  default: Refuse(Substitute(Translated(ConvertMessages::TgaType), {std::to_string(imageType)}));
  }
}

using TRgba = std::array<uint8_t, 4>;

// A colour of 15, 16, 24 or 32 bits as stored (blue first); alpha only where the file says it has alpha bits.
TRgba TrueColor(const uint8_t *bytes, int bits, bool alpha) {
  if (bits == 15 || bits == 16) {
    const unsigned value = bytes[0] | bytes[1] << 8;
    const auto five = [](unsigned v) { return static_cast<uint8_t>((v & 31) << 3 | (v & 31) >> 2); };
    return {five(value >> 10), five(value >> 5), five(value), static_cast<uint8_t>(!alpha || bits == 15 || (value & 0x8000) ? 255 : 0)};
  }
  return {bytes[2], bytes[1], bytes[0], static_cast<uint8_t>(alpha && bits == 32 ? bytes[3] : 255)};
}

// The pixels' stored values one after another, run-length packets undone; a run may cross rows, as files do.
std::vector<uint8_t> StoredPixels(TByteReader &reader, std::size_t count, std::size_t bytesPerPixel, bool rle) {
  std::vector<uint8_t> stored;
  stored.reserve(count * bytesPerPixel);
  if (!rle) {
    const uint8_t *all = reader.Raw(count * bytesPerPixel);
    stored.assign(all, all + count * bytesPerPixel);
    return stored;
  }
  std::size_t done = 0;
  while (done < count) {
    const uint8_t packet = reader.U8();
    const std::size_t run = std::min<std::size_t>((packet & 0x7F) + 1u, count - done);
    if (packet & 0x80) {
      const uint8_t *value = reader.Raw(bytesPerPixel);
      for (std::size_t i = 0; i < run; ++i)
        stored.insert(stored.end(), value, value + bytesPerPixel);
    } else {
      const uint8_t *values = reader.Raw(run * bytesPerPixel);
      stored.insert(stored.end(), values, values + run * bytesPerPixel);
    }
    done += run;
  }
  return stored;
}
} // namespace

TRgbaPicture DecodeTga(const std::vector<uint8_t> &bytes) {
  TByteReader reader(bytes, [] { Refuse(Translated(ConvertMessages::TgaCutShort)); });
  TTgaHeader header;
  Fields(header, reader);
  const TTgaColors colors = ColorsOf(header.ImageType);
  const bool rle = header.ImageType & 8;
  const int bits = header.PixelBits;
  const bool validDepth = colors == TTgaColors::Mapped ? bits == 8 || bits == 16
                          : colors == TTgaColors::Grey ? bits == 8 || bits == 16
                                                       : bits == 15 || bits == 16 || bits == 24 || bits == 32;
  if (!validDepth)
    Refuse(Substitute(Translated(ConvertMessages::TgaDepth), {std::to_string(bits)}));
  const bool alpha = (header.Descriptor & 0x0F) != 0;
  reader.Raw(header.IdLength);
  std::vector<TRgba> palette;
  if (header.ColorMapType == 1) {
    const int entryBits = header.MapEntryBits;
    if (entryBits != 15 && entryBits != 16 && entryBits != 24 && entryBits != 32)
      Refuse(Substitute(Translated(ConvertMessages::TgaDepth), {std::to_string(entryBits)}));
    const std::size_t entryBytes = (entryBits + 7) / 8;
    palette.resize(std::size_t{header.MapFirst} + header.MapLength, TRgba{0, 0, 0, 255});
    for (std::size_t i = 0; i < header.MapLength; ++i)
      palette[header.MapFirst + i] = TrueColor(reader.Raw(entryBytes), entryBits, alpha);
  }
  if (colors == TTgaColors::Mapped && palette.empty())
    Refuse(Translated(ConvertMessages::TgaNoPalette));
  CheckPictureSize(header.Width, header.Height);
  const std::size_t count = std::size_t{header.Width} * header.Height;
  const std::size_t bytesPerPixel = (bits + 7) / 8;
  // The fewest bytes that can hold count pixels (runs of 128 when encoded): a file far too short for its header's
  // size is refused before the picture is allocated.
  const std::size_t fewest = rle ? (count + 127) / 128 * (1 + bytesPerPixel) : count * bytesPerPixel;
  if (reader.Left() < fewest)
    Refuse(Translated(ConvertMessages::TgaCutShort));
  TRgbaPicture picture;
  AllocatePicture(picture, header.Width, header.Height);
  const std::vector<uint8_t> stored = StoredPixels(reader, count, bytesPerPixel, rle);
  const bool fromTop = header.Descriptor & 0x20, fromRight = header.Descriptor & 0x10;
  for (std::size_t i = 0; i < count; ++i) {
    const uint8_t *value = &stored[i * bytesPerPixel];
    TRgba rgba{0, 0, 0, 255};
    if (colors == TTgaColors::Mapped) {
      const std::size_t index = bytesPerPixel == 1 ? value[0] : std::size_t(value[0] | value[1] << 8);
      if (index < palette.size())
        rgba = palette[index]; // an index outside the map shows black, as other readers show it
    } else if (colors == TTgaColors::Grey) {
      rgba = {value[0], value[0], value[0], static_cast<uint8_t>(bits == 16 && alpha ? value[1] : 255)};
    } else {
      rgba = TrueColor(value, bits, alpha);
    }
    const std::size_t row = i / header.Width, column = i % header.Width;
    const std::size_t y = fromTop ? row : header.Height - 1 - row;
    const std::size_t x = fromRight ? header.Width - 1 - column : column;
    std::copy(rgba.begin(), rgba.end(), &picture.Pixels[(y * header.Width + x) * 4]);
  }
  return picture;
}
