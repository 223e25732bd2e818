// Builds DIB files byte by byte for the reader's tests: each field can be set to a good or a broken value.
#pragma once

#include "dib/DIB.h"
#include "platform/Streams.h"

#include <cstdint>
#include <string>
#include <vector>

struct TDIBFile {
  std::string magic = "BM";
  uint32_t headerSize = 40;
  int32_t width = 2, height = 2;
  uint16_t bitCount = 24;
  uint32_t compression = 0, imageSize = 0, colorsUsed = 0;
  std::vector<uint32_t> masks;      // written after the header when not empty
  std::vector<uint8_t> colorTable;  // raw entries, 3 or 4 bytes each
  std::vector<uint8_t> pixels;      // raw pixel data
  uint32_t gap = 0;                 // bytes between the colour table and the pixels

  std::string Bytes() const {
    std::string out = magic;
    const uint32_t offset = 14 + headerSize + 4 * masks.size() + colorTable.size() + gap;
    Put32(out, offset + pixels.size());
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, headerSize);
    if (headerSize == 12) {
      Put16(out, static_cast<uint16_t>(width));
      Put16(out, static_cast<uint16_t>(height));
      Put16(out, 1);
      Put16(out, bitCount);
    } else {
      Put32(out, static_cast<uint32_t>(width));
      Put32(out, static_cast<uint32_t>(height));
      Put16(out, 1);
      Put16(out, bitCount);
      for (uint32_t value : {compression, imageSize, 2835u, 2835u, colorsUsed, 0u})
        Put32(out, value);
      out.append(headerSize > 40 ? headerSize - 40 : 0, '\0');
    }
    for (uint32_t mask : masks)
      Put32(out, mask);
    out.append(colorTable.begin(), colorTable.end());
    out.append(gap, '\x77');
    out.append(pixels.begin(), pixels.end());
    return out;
  }

  TMemoryStream Stream() const {
    TMemoryStream stream;
    const std::string bytes = Bytes();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    return stream;
  }

  static void Put16(std::string &out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
  }
  static void Put32(std::string &out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      out.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
};

inline TDIB LoadDIB(const TDIBFile &file) {
  TDIB dib;
  TMemoryStream stream = file.Stream();
  dib.LoadFromStream(stream);
  return dib;
}

// The picture's pixels as 0xFFRRGGBB, rows top to bottom.
inline std::vector<uint32_t> PixelsOf(const TDIB &dib) {
  std::vector<uint32_t> pixels(static_cast<std::size_t>(dib.Width()) * dib.Height());
  dib.ReadPixels32(pixels.data(), dib.Width());
  return pixels;
}

// A grey-ramp colour table of count 4-byte entries (entry i = i, i, i).
inline std::vector<uint8_t> GreyEntries(int count) {
  std::vector<uint8_t> entries;
  for (int i = 0; i < count; ++i)
    entries.insert(entries.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i), 0});
  return entries;
}
