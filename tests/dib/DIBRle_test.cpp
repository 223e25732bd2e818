// Run-length DIBs: kept compressed, decoded on demand with every code, clipped to the image, written back as read.
#include "DIBFile.h"
#include "dib/DIBRle.h"

#include <gtest/gtest.h>

namespace {
TDIBFile RunLengthFile(int bits, int width, int height, std::vector<uint8_t> data) {
  TDIBFile file;
  file.width = width, file.height = height, file.bitCount = static_cast<uint16_t>(bits);
  file.compression = bits == 8 ? 1 : 2;
  file.colorTable = GreyEntries(1 << bits);
  file.imageSize = static_cast<uint32_t>(data.size());
  file.pixels = std::move(data);
  return file;
}

// Palette indices, rows top to bottom.
std::vector<uint8_t> Indices(const TDIB &dib) {
  std::vector<uint8_t> indices;
  for (uint32_t pixel : PixelsOf(dib))
    indices.push_back(pixel & 0xFF); // grey table: blue equals the index
  return indices;
}
} // namespace

TEST(DIBRunLength, EightBitCodesWithDeltaAndAbsoluteRuns) {
  // Bottom row: run of 2 x 5, absolute 3 bytes (padded; the third falls off the row), end of line;
  // delta (1, 1) to the top row; run 1 x 9; end of bitmap.
  const TDIB dib = LoadDIB(RunLengthFile(8, 4, 3, {2, 5, 0, 3, 7, 8, 6, 0, 0, 0, 0, 2, 1, 1, 1, 9, 0, 1}));
  EXPECT_TRUE(dib.RunLength());
  EXPECT_EQ(dib.Image().DataSize, 18);
  EXPECT_EQ(Indices(dib), (std::vector<uint8_t>{0, 9, 0, 0, 0, 0, 0, 0, 5, 5, 7, 8}));
  EXPECT_TRUE(dib.RunLength()); // drawing decodes without replacing the stored data
}

TEST(DIBRunLength, FourBitCodesAlternateNibbles) {
  // Run of 5 from 0x12, absolute 3 nibbles 0xAB 0xC0 (two fall off the row), end of line; run of 3 x 0x77; end.
  const TDIB dib = LoadDIB(RunLengthFile(4, 6, 2, {5, 0x12, 0, 3, 0xAB, 0xC0, 0, 0, 3, 0x77, 0, 1}));
  EXPECT_EQ(Indices(dib), (std::vector<uint8_t>{7, 7, 7, 0, 0, 0, 1, 2, 1, 2, 1, 10}));
}

TEST(DIBRunLength, DataThatOverrunsTheImageIsClipped) {
  const std::vector<std::vector<uint8_t>> hostile = {
      {255, 1, 255, 2, 0, 0, 255, 3},       // runs far past the row end
      {0, 2, 255, 255, 9, 9},               // delta above the top, then a run
      {0, 2, 200, 0, 5, 5},                 // delta past the row end
      {0, 255, 1, 2, 3},                    // absolute run longer than the data
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4}, // end of line past the top row
      {0, 2, 1},                            // delta cut short
      {7},                                  // a lone byte
  };
  for (const int bits : {4, 8}) {
    for (const auto &data : hostile) {
      TDIB dib = LoadDIB(RunLengthFile(bits, 3, 2, data));
      const std::vector<uint8_t> indices = Indices(dib);
      EXPECT_EQ(indices.size(), 6u);
      dib.ScanLine(0); // decodes into a private image
      EXPECT_FALSE(dib.RunLength());
    }
  }
  std::vector<uint8_t> row(4, 0xEE); // the decoder writes nothing past its rows
  DecodeRunLength(std::vector<uint8_t>{255, 1}.data(), 2, 8, 3, 1, 4, row.data());
  EXPECT_EQ(row, (std::vector<uint8_t>{1, 1, 1, 0xEE}));
}

TEST(DIBRunLength, SavedAsReadAndChangedOnlyThroughAPrivateCopy) {
  const std::vector<uint8_t> data = {2, 5, 0, 0, 2, 6, 0, 1};
  TDIB dib = LoadDIB(RunLengthFile(8, 2, 2, data));
  TMemoryStream saved;
  dib.SaveToStream(saved);
  ASSERT_EQ(saved.Size(), 14 + 40 + 1024 + 8);
  EXPECT_EQ(saved.Memory()[30], 1); // RLE8
  EXPECT_TRUE(std::equal(data.begin(), data.end(), saved.Memory() + 14 + 40 + 1024));

  TDIB copy = dib;
  copy.ScanLine(0)[0] = 1;
  EXPECT_TRUE(dib.RunLength());
  EXPECT_FALSE(copy.RunLength());
  EXPECT_EQ(Indices(copy), (std::vector<uint8_t>{1, 6, 5, 5}));
  EXPECT_EQ(Indices(dib), (std::vector<uint8_t>{6, 6, 5, 5}));
}
