// Pictures converted on the way in: PNG, GIF, WebP and TGA into 24-bit BMP with one key colour, and the files
// that are refused.
#include "convert/Conversion.h"
#include "convert/KeyedBitmap.h"

#include "platform/Streams.h"
#include "support/MediaSamples.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {
// A 24-bit BMP read back: its colours as 0x00BBGGRR, rows from the top.
struct TBitmap {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Colors;
  uint32_t At(int x, int y) const { return Colors[std::size_t(y) * Width + x]; }
};

TBitmap ReadBitmap(TMemoryStream &stream) {
  const uint8_t *bytes = stream.Memory();
  const auto u32 = [bytes](int at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24; };
  EXPECT_EQ(std::string(reinterpret_cast<const char *>(bytes), 2), "BM");
  EXPECT_EQ(u32(2), stream.Size());
  EXPECT_EQ(bytes[28], 24);
  TBitmap bitmap{int(u32(18)), int(u32(22)), {}};
  const std::size_t rowBytes = (std::size_t(bitmap.Width) * 3 + 3) & ~std::size_t{3};
  EXPECT_EQ(u32(10) + rowBytes * bitmap.Height, std::size_t(stream.Size()));
  for (int y = 0; y < bitmap.Height; ++y)
    for (int x = 0; x < bitmap.Width; ++x) {
      const uint8_t *bgr = bytes + u32(10) + (bitmap.Height - 1 - y) * rowBytes + x * 3;
      bitmap.Colors.push_back(bgr[2] | bgr[1] << 8 | uint32_t(bgr[0]) << 16);
    }
  return bitmap;
}

uint32_t ColorOf(const uint8_t *rgba) { return rgba[0] | rgba[1] << 8 | uint32_t(rgba[2]) << 16; }

class PictureConversion : public ::testing::Test {
protected:
  TTempAppFolder app;
  TMemoryStream out;
  TBitmap Convert(const std::string &file, TConversionResult &facts) {
    facts = ConvertFile(TMediaGroup::Pictures, file, out, 0);
    EXPECT_EQ(facts.Ext, ".BMP");
    EXPECT_EQ(facts.Size, out.Size());
    return ReadBitmap(out);
  }
  // Every pixel with alpha below half carries the key; every other keeps its own colour, never blended.
  static void ExpectKeyedExactly(const TSampleRgba &picture, const TBitmap &bitmap, uint32_t key) {
    ASSERT_EQ(bitmap.Width, picture.Width);
    ASSERT_EQ(bitmap.Height, picture.Height);
    for (int y = 0; y < picture.Height; ++y)
      for (int x = 0; x < picture.Width; ++x) {
        const uint8_t *pixel = picture.At(x, y);
        ASSERT_EQ(bitmap.At(x, y), pixel[3] < 128 ? key : ColorOf(pixel)) << x << "," << y << " alpha " << int(pixel[3]);
      }
  }
};
} // namespace

TEST_F(PictureConversion, SoftEdgedPngAndWebpKeepTheirEdgeColoursAndKeyOutTheRestInFuchsia) {
  const TSampleRgba sprite = SoftEdgedSprite(21); // an odd width: rows are padded
  int partly = 0;
  for (std::size_t at = 3; at < sprite.Pixels.size(); at += 4)
    partly += sprite.Pixels[at] > 0 && sprite.Pixels[at] < 255;
  ASSERT_GT(partly, 20) << "the sample must have antialiased edges";
  for (const std::string name : {"sprite.png", "sprite.webp"}) {
    const std::string file = app.File(name);
    name == "sprite.png" ? WritePng(file, sprite) : WriteWebp(file, sprite);
    TConversionResult facts;
    out.SetSize(0);
    const TBitmap bitmap = Convert(file, facts);
    EXPECT_TRUE(facts.Transparent) << name;
    EXPECT_EQ(facts.KeyColor, FuchsiaKey) << name;
    ExpectKeyedExactly(sprite, bitmap, FuchsiaKey);
  }
}

TEST_F(PictureConversion, AKeyColourThePictureUsesIsNeverChosenAndAnOpaquePictureIsNotTransparent) {
  TSampleRgba picture{3, 1, {255, 0, 255, 255, /**/ 0, 255, 0, 255, /**/ 1, 2, 3, 0}};
  WritePng(app.File("uses-fuchsia.png"), picture);
  TConversionResult facts;
  const TBitmap bitmap = Convert(app.File("uses-fuchsia.png"), facts);
  EXPECT_TRUE(facts.Transparent);
  EXPECT_NE(facts.KeyColor, FuchsiaKey);
  EXPECT_NE(facts.KeyColor, 0x0000FF00u) << "lime is used too";
  ExpectKeyedExactly(picture, bitmap, facts.KeyColor);

  picture.Pixels[11] = 255;
  WritePng(app.File("opaque.png"), picture);
  out.SetSize(0);
  Convert(app.File("opaque.png"), facts);
  EXPECT_FALSE(facts.Transparent);
}

TEST_F(PictureConversion, PalettedGifWithATransparentIndex) {
  WriteGif(app.File("tiles.gif"));
  TConversionResult facts;
  const TBitmap bitmap = Convert(app.File("tiles.gif"), facts);
  EXPECT_TRUE(facts.Transparent);
  const std::vector<uint32_t> expected{0x0000FF, 0x00FF00, 0xFF0000, FuchsiaKey, FuchsiaKey, 0xFF0000, 0x00FF00, 0x0000FF};
  EXPECT_EQ(bitmap.Colors, expected);
}

namespace {
// A TGA header as the format gives it: 18 bytes, little-endian, no image id.
std::string TgaHeader(int type, int mapLength, int mapBits, int width, int height, int bits, int descriptor) {
  const int bytes[18] = {0, mapLength ? 1 : 0, type, 0, 0, mapLength & 255, mapLength >> 8, mapBits, 0, 0, 0, 0,
                         width & 255, width >> 8, height & 255, height >> 8, bits, descriptor};
  return {std::begin(bytes), std::end(bytes)};
}
} // namespace

TEST_F(PictureConversion, TgaTrueColourRunLengthColourMappedAndSixteenBitInTheirOrientations) {
  // 32 bits with 8 alpha bits, encoded, rows from the bottom: a run of two red, then raw green and clear blue.
  const std::string rle = TgaHeader(10, 0, 0, 2, 2, 32, 8) + std::string("\x81\0\0\xFF\xFF", 5) +
                          std::string("\x01\0\xFF\0\xFF\xFF\0\0\0", 9);
  // Colour-mapped, 24-bit map of two entries, rows from the top: index 1 then 0.
  const std::string mapped = TgaHeader(1, 2, 24, 2, 1, 8, 0x20) + std::string("\0\0\xFF\0\xFF\0\x01\0", 8);
  // 16 bits (x1R5G5B5, no alpha bits), one white pixel.
  const std::string sixteen = TgaHeader(2, 0, 0, 1, 1, 16, 0) + "\xFF\x7F";
  const std::vector<std::pair<std::string, std::vector<uint32_t>>> cases{
      {rle, {0x00FF00, FuchsiaKey, 0x0000FF, 0x0000FF}}, {mapped, {0x00FF00, 0x0000FF}}, {sixteen, {0xFFFFFF}}};
  for (const auto &[bytes, colors] : cases) {
    out.SetSize(0);
    TConversionResult facts;
    EXPECT_EQ(Convert(app.WriteFile("picture.tga", bytes), facts).Colors, colors);
  }
}

TEST_F(PictureConversion, DamagedOrHostileFilesAreRefusedNamingTheFileAndTheReason) {
  std::string png;
  WritePng(app.File("whole.png"), SoftEdgedSprite(16));
  png = TTempAppFolder::ReadFile(app.File("whole.png"));
  const std::vector<std::tuple<std::string, std::string, std::string>> cases{
      {"cut.png", png.substr(0, png.size() / 2), "PNG"},
      {"text.gif", "GIF89a but not really", "GIF"},
      {"empty.webp", "", "WebP"},
      {"empty.gif", "", "GIF"}, // read from an empty buffer: no data pointer at all
      {"cut.tga", TgaHeader(2, 0, 0, 4, 4, 24, 0) + std::string(20, '\0'), "neúplná"},
      {"huge.tga", TgaHeader(10, 0, 0, 65535, 65535, 32, 8) + std::string(1 << 20, '\0'), "65535 × 65535"},
      {"type.tga", TgaHeader(7, 0, 0, 1, 1, 8, 0) + "x", "typ obrázku 7"},
      {"nomap.tga", TgaHeader(1, 0, 0, 1, 1, 8, 0) + "x", "paletu"},
  };
  for (const auto &[name, bytes, reason] : cases) {
    try {
      ConvertFile(TMediaGroup::Pictures, app.WriteFile(name, bytes), out, 0);
      ADD_FAILURE() << name << " was converted";
    } catch (const EConversionError &error) {
      const std::string text = error.what();
      EXPECT_NE(text.find(name), std::string::npos) << text;
      EXPECT_NE(text.find(reason), std::string::npos) << text;
    }
  }
}
