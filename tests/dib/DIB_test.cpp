// TDIB: reading every header and depth, the reader's errors, writing, clipboard form, resizing,
// assigning, copy on write and the palette cache.
#include "DIBFile.h"
#include "dib/DIBMessages.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

using namespace DIBMessages;

namespace {
std::string LoadError(const TDIBFile &file) {
  try {
    LoadDIB(file);
  } catch (const Exception &error) {
    return error.what();
  }
  return "(loaded)";
}

// 2 x 2, 24 bits: bottom row blue, green; top row red, white.
TDIBFile Rgb24() {
  TDIBFile file;
  file.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 0};
  return file;
}
constexpr uint32_t Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, White = 0xFFFFFFFF, Black = 0xFF000000;
} // namespace

TEST(DIBRead, TwentyFourBitsBottomUpDrawTheRightWayUp) {
  const TDIB dib = LoadDIB(Rgb24());
  EXPECT_EQ(dib.Width(), 2);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(PixelsOf(dib), (std::vector<uint32_t>{Red, White, Blue, Green}));
}

TEST(DIBRead, TopDownRowsAreStoredBottomUpAndDrawTheSame) {
  TDIBFile file = Rgb24();
  file.height = -2;
  file.pixels = {0, 0, 255, 255, 255, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
  const TDIB dib = LoadDIB(file);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(PixelsOf(dib), (std::vector<uint32_t>{Red, White, Blue, Green}));
  EXPECT_EQ(dib.Image().Pixels[0], 255); // bottom row first in memory
}

TEST(DIBRead, EmptyStreamLeavesThePictureAndHeaderOnlyEmptiesIt) {
  TDIB dib = LoadDIB(Rgb24());
  TMemoryStream nothing;
  dib.LoadFromStream(nothing);
  EXPECT_EQ(dib.Width(), 2);
  EXPECT_FALSE(dib.Empty());

  TMemoryStream headerOnly;
  headerOnly.WriteBuffer(Rgb24().Bytes().data(), 14);
  headerOnly.SetPosition(0);
  dib.LoadFromStream(headerOnly);
  EXPECT_TRUE(dib.Empty());
  EXPECT_EQ(dib.Width(), 0);
  TMemoryStream saved;
  dib.SaveToStream(saved);
  EXPECT_EQ(saved.Size(), 0);
}

TEST(DIBRead, BrokenHeadersSayWhatIsWrong) {
  TDIBFile file = Rgb24();
  file.magic = "MB";
  EXPECT_EQ(LoadError(file), NotADib);
  for (uint32_t size : {16u, 52u, 56u, 64u, 108u, 124u}) {
    file = Rgb24();
    file.headerSize = size;
    EXPECT_EQ(LoadError(file), Substitute(HeaderSize, {std::to_string(size)})) << size;
  }
  file = Rgb24();
  file.compression = 4;
  EXPECT_EQ(LoadError(file), Substitute(Compression, {"4"}));
  file.width = -2;
  file.compression = 0;
  EXPECT_EQ(LoadError(file), Substitute(BadSize, {"-2", "2"}));
  file = Rgb24();
  file.compression = 3; // bit fields, but the file ends inside the masks
  file.pixels.clear();
  file.masks = {0xFF0000};
  EXPECT_EQ(LoadError(file), MasksCutShort);

  for (std::size_t cut : {5u, 13u, 16u}) { // inside the file header, inside the header size
    TMemoryStream stream;
    stream.WriteBuffer(Rgb24().Bytes().data(), static_cast<int64_t>(cut));
    stream.SetPosition(0);
    TDIB dib;
    EXPECT_THROW(dib.LoadFromStream(stream), EInvalidGraphic) << cut;
  }
}

TEST(DIBRead, BitCountAndPixelFormatErrors) {
  TDIBFile file = Rgb24();
  file.bitCount = 2;
  EXPECT_EQ(LoadError(file), Substitute(BitCount, {"2"}));
  file.bitCount = 30000;
  EXPECT_EQ(LoadError(file), Substitute(BitCount, {"30000"}));

  TDIBFile bitFields;
  bitFields.bitCount = 16;
  bitFields.compression = 3;
  bitFields.pixels = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0}; // 5-6-5 red, green; blue, black
  bitFields.masks = {0xF800, 0x07E0, 0x001F};
  const TDIB dib = LoadDIB(bitFields);
  EXPECT_EQ(PixelsOf(dib), (std::vector<uint32_t>{Blue, Black, Red, Green}));
  bitFields.masks = {0x0F00, 0x00F0, 0x000F};
  EXPECT_EQ(LoadError(bitFields), Substitute(ChannelMasks, {"16"}));
  bitFields.masks = {0xF800, 0x07E0, 0}; // no blue bits
  EXPECT_EQ(LoadError(bitFields), Substitute(ChannelMasks, {"16"}));
}

TEST(DIBRead, BitFieldsKeepTheirPositions) {
  TDIBFile file;
  file.width = 1, file.height = 1, file.bitCount = 32, file.compression = 3;
  file.masks = {0xFF000000, 0x00000FF0, 0x00FF0000}; // red on top, green in the middle, blue above it
  file.pixels = {0x10, 0x02, 0x80, 0xFF};              // red 0xFF, green 0x21, blue 0x80
  const TDIB dib = LoadDIB(file);
  EXPECT_EQ(PixelsOf(dib)[0], 0xFFFF2180u);
  TMemoryStream saved;
  dib.SaveToStream(saved);
  saved.SetPosition(0);
  TDIB reloaded;
  reloaded.LoadFromStream(saved);
  EXPECT_EQ(PixelsOf(reloaded), PixelsOf(dib));
}

TEST(DIBRead, SixteenBitChannelsStretchToFullRange) {
  TDIBFile file;
  file.width = 2, file.height = 1, file.bitCount = 16;
  file.pixels = {0xFF, 0x7F, 0x21, 0x04}; // 5-5-5 white; red 1, green 1, blue 1
  EXPECT_EQ(PixelsOf(LoadDIB(file)), (std::vector<uint32_t>{White, 0xFF080808}));
}

TEST(DIBRead, ColourTables) {
  TDIBFile file;
  file.width = 2, file.height = 1, file.bitCount = 8, file.colorsUsed = 16;
  file.colorTable = GreyEntries(16);
  file.colorTable[4 * 15 + 2] = 0xFF;
  file.pixels = {15, 200, 0, 0};
  TDIB dib = LoadDIB(file);
  EXPECT_EQ(PixelsOf(dib), (std::vector<uint32_t>{0xFFFF0F0F, Black}));
  EXPECT_EQ(dib.Image().Colors[16], TRGBQuad{});
  EXPECT_EQ(dib.Image().EntryCount, 256);

  TDIBFile withTable = Rgb24(); // entries of a 24-bit file are skipped before its pixels
  withTable.colorsUsed = 3;
  withTable.colorTable = GreyEntries(3);
  EXPECT_EQ(PixelsOf(LoadDIB(withTable)), (std::vector<uint32_t>{Red, White, Blue, Green}));

  TDIBFile gap = Rgb24(); // the pixel offset is not used: pixels follow the table
  gap.gap = 4;
  const std::vector<uint32_t> shifted = PixelsOf(LoadDIB(gap));
  EXPECT_EQ(shifted[2], 0xFF777777u); // the gap's bytes
  EXPECT_EQ(shifted[0], Blue);

  TDIBFile oversized; // entries beyond 256 are skipped too
  oversized.width = 1, oversized.height = 1, oversized.bitCount = 8, oversized.colorsUsed = 300;
  oversized.colorTable = GreyEntries(256);
  oversized.colorTable.insert(oversized.colorTable.end(), 44 * 4, 0x55);
  oversized.pixels = {9, 0, 0, 0};
  EXPECT_EQ(PixelsOf(LoadDIB(oversized))[0], 0xFF090909u);
}

TEST(DIBRead, CoreHeaderHasThreeByteEntries) {
  TDIBFile file;
  file.headerSize = 12, file.width = 3, file.height = 1, file.bitCount = 1;
  file.colorTable = {0, 0, 0, 0, 0, 255};
  file.pixels = {0b01000000, 0, 0, 0};
  EXPECT_EQ(PixelsOf(LoadDIB(file)), (std::vector<uint32_t>{Black, Red, Black}));
}

TEST(DIBRead, ShortPixelsAndShortPalettesAreNamed) {
  TDIBFile file = Rgb24();
  file.pixels.resize(15);
  EXPECT_EQ(LoadError(file), PixelsCutShort);
  file = TDIBFile{};
  file.bitCount = 8;
  file.colorTable = GreyEntries(100);
  EXPECT_EQ(LoadError(file), Substitute(PaletteCutShort, {"256"}));
}

TEST(DIBRead, FailureKeepsThePreviousImage) {
  TDIB dib = LoadDIB(Rgb24());
  TDIBFile broken = Rgb24();
  broken.pixels.resize(3);
  TMemoryStream stream = broken.Stream();
  EXPECT_THROW(dib.LoadFromStream(stream), EInvalidGraphic);
  EXPECT_EQ(PixelsOf(dib), (std::vector<uint32_t>{Red, White, Blue, Green}));
}

TEST(DIBRead, HugeDimensionsFailBeforeAllocating) {
  for (int bits : {1, 8, 24, 32}) {
    TDIBFile file;
    file.width = 65535, file.height = 65535, file.bitCount = static_cast<uint16_t>(bits);
    file.colorTable = bits <= 8 ? GreyEntries(1 << bits) : std::vector<uint8_t>{};
    file.pixels.assign(200, 0);
    EXPECT_EQ(LoadError(file), PixelsCutShort) << bits;
    file.height = INT32_MIN + 1;
    EXPECT_EQ(LoadError(file), PixelsCutShort) << bits;
  }
  TDIBFile rle;
  rle.width = 65535, rle.height = 65535, rle.bitCount = 8, rle.compression = 1;
  rle.colorTable = GreyEntries(256);
  rle.pixels = {0, 1};
  rle.imageSize = 2;
  EXPECT_EQ(LoadError(rle), RunLengthTooLarge);
  rle.imageSize = 0xFFFFFFF0;
  EXPECT_EQ(LoadError(rle), PixelsCutShort);
  // Enough run-length data for its claim, but more pixels than any picture is made with.
  rle.height = 4100;
  rle.pixels.assign(70000, 0);
  rle.imageSize = 70000;
  EXPECT_EQ(LoadError(rle), Substitute(TooLarge, {"65535", "4100"}));
}

TEST(DIBRead, RunLengthOnlyForItsOwnDepthAndBottomUp) {
  TDIBFile file;
  file.width = 2, file.height = 1, file.bitCount = 24, file.compression = 1;
  file.pixels = {2, 0, 0, 1};
  file.imageSize = 4;
  EXPECT_EQ(LoadError(file), Substitute(RunLengthDepth, {"RLE8", "8", "24"}));
  file.bitCount = 8, file.height = -1;
  file.colorTable = GreyEntries(256);
  EXPECT_EQ(LoadError(file), RunLengthTopDown);
}

TEST(DIBWrite, RoundTripKeepsPixelsAndWritesTheInformationBlock) {
  for (const int bits : {1, 4, 8, 16, 24, 32}) {
    TDIBFile file;
    file.width = 5, file.height = 3, file.bitCount = static_cast<uint16_t>(bits);
    file.colorTable = bits <= 8 ? GreyEntries(1 << bits) : std::vector<uint8_t>{};
    const int stride = (bits * 5 + 31) / 32 * 4;
    for (int i = 0; i < stride * 3; ++i)
      file.pixels.push_back(static_cast<uint8_t>(i * 37 + 11));
    const TDIB dib = LoadDIB(file);
    TMemoryStream saved;
    dib.SaveToStream(saved);
    const uint8_t *bytes = saved.Memory();
    const uint32_t infoSize = 40 + (bits == 16 || bits == 32 ? 12 : 0) + (bits <= 8 ? 4 << bits : 0);
    EXPECT_EQ(saved.Size(), 14 + infoSize + stride * 3) << bits;
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[10] | bytes[11] << 8, static_cast<int>(14 + infoSize)) << bits;
    EXPECT_EQ(bytes[30], bits == 16 || bits == 32 ? 3 : 0) << bits; // compression
    saved.SetPosition(0);
    TDIB reloaded;
    reloaded.LoadFromStream(saved);
    EXPECT_EQ(PixelsOf(reloaded), PixelsOf(dib)) << bits;

    const std::vector<uint8_t> clip = dib.SaveToClipboardFormat();
    EXPECT_EQ(clip.size(), static_cast<std::size_t>(saved.Size() - 14));
    EXPECT_TRUE(std::equal(clip.begin(), clip.end(), saved.Memory() + 14));
    TDIB pasted;
    pasted.LoadFromClipboardFormat(clip.data(), clip.size());
    EXPECT_EQ(PixelsOf(pasted), PixelsOf(dib)) << bits;
  }
}

TEST(DIBCopy, CopiesShareUntilOneChanges) {
  TDIB first = LoadDIB(Rgb24());
  TDIB second = first;
  EXPECT_TRUE(second.SharesImageWith(first));
  second.ScanLine(0)[0] = 0x80; // top left pixel's blue
  EXPECT_FALSE(second.SharesImageWith(first));
  EXPECT_EQ(PixelsOf(first)[0], Red);
  EXPECT_EQ(PixelsOf(second)[0], 0xFFFF0080u);
  EXPECT_THROW(second.ScanLine(2), EInvalidGraphicOperation);

  TDIB assigned;
  assigned.Assign(first);
  EXPECT_TRUE(assigned.SharesImageWith(first));
  assigned.Assign(TDIB());
  EXPECT_TRUE(assigned.Empty());
}

TEST(DIBCopy, AssignFromAnotherPictureMakesTwentyFourBits) {
  class TSolid : public TGraphic {
  public:
    void LoadFromStream(TStream &) override {}
    void SaveToStream(TStream &) const override {}
    int Width() const override { return 3; }
    int Height() const override { return 2; }
    bool Empty() const override { return false; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void ReadPixels32(uint32_t *dest, std::ptrdiff_t stride) const override {
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
          dest[y * stride + x] = y == 0 ? 0xFF123456 : Green;
    }
    void Assign(const TGraphic &) override {}
  };
  TDIB dib;
  dib.Assign(TSolid());
  EXPECT_EQ(dib.Depth(), 24);
  EXPECT_EQ(PixelsOf(dib), (std::vector<uint32_t>{0xFF123456, 0xFF123456, 0xFF123456, Green, Green, Green}));
}

TEST(DIBSize, SettingWidthAndHeight) {
  TDIB dib;
  dib.SetWidth(7);
  EXPECT_EQ(dib.Width(), 7);
  EXPECT_EQ(dib.Height(), 1);
  EXPECT_EQ(dib.Depth(), 8);
  EXPECT_EQ(dib.Image().Colors[200], (TRGBQuad{200, 200, 200, 0}));
  EXPECT_EQ(PixelsOf(dib)[3], Black);

  TDIB bits = LoadDIB(Rgb24());
  bits.SetHeight(5);
  EXPECT_EQ(bits.Width(), 2);
  EXPECT_EQ(bits.Height(), 5);
  EXPECT_EQ(bits.Depth(), 24);
  EXPECT_EQ(PixelsOf(bits)[0], Black);
  bits.SetWidth(0);
  EXPECT_TRUE(bits.Empty());
  EXPECT_EQ(bits.Width(), 0);
}

TEST(DIBPalette, EqualTablesShareOnePaletteUntilReleased) {
  TPaletteManager &cache = TPaletteManager::Instance();
  const int before = cache.Count();
  {
    TDIB first, second;
    first.SetWidth(4);
    second.SetWidth(9);
    TPaletteHandle palette = first.Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->size(), 256u);
    EXPECT_EQ((*palette)[7], (TPaletteEntry{7, 7, 7, 0}));
    EXPECT_EQ(second.Palette(), palette);
    EXPECT_EQ(cache.Count(), before + 1);

    TColorTable colors = first.Image().Colors;
    colors[0].Red = 99;
    second.SetColors(colors);
    EXPECT_NE(second.Palette(), palette);
    EXPECT_EQ((*second.Palette())[0].Red, 99);
    EXPECT_EQ(cache.Count(), before + 2);
    EXPECT_EQ(LoadDIB(Rgb24()).Palette(), nullptr);
  }
  EXPECT_EQ(cache.Count(), before);
  const TRGBQuad entries[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
  EXPECT_EQ(TPaletteManager::Checksum(entries, 2), 2u + 1 + 2 + 3 + 4 + 5 + 6);
}
