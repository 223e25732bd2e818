// The BMP suite through TDIB: good files match the suite's reference PNGs, questionable ones load or are refused
// with one of the reader's own errors, bad ones and other header sizes are refused or read safely.
#include "dib/DIB.h"
#include "dib/DIBMessages.h"
#include "platform/Exceptions.h"
#include "platform/Streams.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>

namespace {
const std::string Suite = TOVRIK_TESTDATA "/bmpsuite/";

enum class TOutcome { Matches, Refused, LoadsOrRefused };

struct TCase {
  std::string file;      // relative to the suite
  TOutcome outcome;
  std::string expected;  // reference PNG for Matches, error text for Refused
};

void PrintTo(const TCase &testCase, std::ostream *out) { *out << testCase.file; }

using namespace DIBMessages;

// A reader's text with its values, as the file gives them.
std::string Text(const char *message, std::initializer_list<std::string> values = {}) {
  return Substitute(message, values);
}
const std::string Masks16 = Text(ChannelMasks, {"16"}), Masks32 = Text(ChannelMasks, {"32"});

std::vector<TCase> Cases() {
  std::vector<TCase> cases = {
      {"g/pal1.bmp", TOutcome::Matches, "pal1.png"}, {"g/pal1wb.bmp", TOutcome::Matches, "pal1.png"},
      {"g/pal1bg.bmp", TOutcome::Matches, "pal1bg.png"}, {"g/pal4.bmp", TOutcome::Matches, "pal4.png"},
      {"g/pal4rle.bmp", TOutcome::Matches, "pal4.png"}, {"g/pal4gs.bmp", TOutcome::Matches, "pal4gs.png"},
      {"g/pal8.bmp", TOutcome::Matches, "pal8.png"}, {"g/pal8-0.bmp", TOutcome::Matches, "pal8.png"},
      {"g/pal8rle.bmp", TOutcome::Matches, "pal8.png"}, {"g/pal8topdown.bmp", TOutcome::Matches, "pal8.png"},
      {"g/pal8os2.bmp", TOutcome::Matches, "pal8.png"}, {"g/pal8gs.bmp", TOutcome::Matches, "pal8gs.png"},
      {"g/pal8w124.bmp", TOutcome::Matches, "pal8w124.png"}, {"g/pal8w125.bmp", TOutcome::Matches, "pal8w125.png"},
      {"g/pal8w126.bmp", TOutcome::Matches, "pal8w126.png"},
      {"g/pal8nonsquare.bmp", TOutcome::Matches, "pal8nonsquare-e.png"},
      {"g/rgb16.bmp", TOutcome::Matches, "rgb16.png"}, {"g/rgb16bfdef.bmp", TOutcome::Matches, "rgb16.png"},
      {"g/rgb16-565.bmp", TOutcome::Matches, "rgb16-565.png"},
      {"g/rgb16-565pal.bmp", TOutcome::Matches, "rgb16-565.png"}, {"g/rgb24.bmp", TOutcome::Matches, "rgb24.png"},
      {"g/rgb24pal.bmp", TOutcome::Matches, "rgb24.png"}, {"g/rgb32.bmp", TOutcome::Matches, "rgb24.png"},
      {"g/rgb32bf.bmp", TOutcome::Matches, "rgb24.png"}, {"g/rgb32bfdef.bmp", TOutcome::Matches, "rgb24.png"},
      {"g/pal8v4.bmp", TOutcome::Refused, Text(HeaderSize, {"108"})},
      {"g/pal8v5.bmp", TOutcome::Refused, Text(HeaderSize, {"124"})},
      // Questionable: skipped run-length pixels take index 0, as in the suite's "-0" references.
      {"q/pal4rlecut.bmp", TOutcome::Matches, "pal4rlecut-0.png"},
      {"q/pal4rletrns.bmp", TOutcome::Matches, "pal4rletrns-0.png"},
      {"q/pal8rlecut.bmp", TOutcome::Matches, "pal8rlecut-0.png"},
      {"q/pal8rletrns.bmp", TOutcome::Matches, "pal8rletrns-0.png"},
      {"q/pal1p1.bmp", TOutcome::Matches, "pal1p1.png"},
      {"q/pal8oversizepal.bmp", TOutcome::Matches, "pal8.png"},
      {"q/rgb24largepal.bmp", TOutcome::Matches, "rgb24.png"},
      {"q/rgb16faketrns.bmp", TOutcome::Matches, "rgb16.png"},
      {"q/rgb32fakealpha.bmp", TOutcome::Matches, "rgb24.png"},
      {"q/pal2.bmp", TOutcome::Refused, Text(BitCount, {"2"})},
      {"q/pal2color.bmp", TOutcome::Refused, Text(BitCount, {"2"})},
      {"q/rgba64.bmp", TOutcome::Refused, Text(BitCount, {"64"})},
      {"q/rgba32abf.bmp", TOutcome::Refused, Text(Compression, {"6"})},
      {"q/rgb16-231.bmp", TOutcome::Refused, Masks16}, {"q/rgb16-3103.bmp", TOutcome::Refused, Masks16},
      {"q/rgb32-111110.bmp", TOutcome::Refused, Masks32}, {"q/rgb32-7187.bmp", TOutcome::Refused, Masks32},
      {"q/pal8offs.bmp", TOutcome::LoadsOrRefused, ""}, {"q/pal8os2-hs.bmp", TOutcome::LoadsOrRefused, ""},
      {"q/pal8os2-sz.bmp", TOutcome::LoadsOrRefused, ""}, {"q/pal8os2sp.bmp", TOutcome::LoadsOrRefused, ""},
      {"q/pal8os2v2-40sz.bmp", TOutcome::LoadsOrRefused, ""},
      // Bad: refused where the reader's rules say so, read safely where the pixel data is whole.
      {"b/badbitcount.bmp", TOutcome::Refused, Text(BitCount, {"30000"})},
      {"b/badheadersize.bmp", TOutcome::Refused, Text(HeaderSize, {"66"})},
      {"b/badwidth.bmp", TOutcome::Refused, Text(BadSize, {"-127", "64"})},
      {"b/rletopdown.bmp", TOutcome::Refused, RunLengthTopDown}, {"b/reallybig.bmp", TOutcome::Refused, PixelsCutShort},
      {"b/shortfile.bmp", TOutcome::Refused, PixelsCutShort}, {"b/rgb16-880.bmp", TOutcome::Refused, Masks16},
      {"b/badpalettesize.bmp", TOutcome::Refused, Text(PaletteCutShort, {"305402420"})},
      {"x/ba-bm.bmp", TOutcome::Refused, NotADib},
      // Header versions the reader does not take, named by their size.
      {"q/pal8os2v2-16.bmp", TOutcome::Refused, Text(HeaderSize, {"16"})},
      {"q/rgb32h52.bmp", TOutcome::Refused, Text(HeaderSize, {"52"})},
      {"q/rgba32h56.bmp", TOutcome::Refused, Text(HeaderSize, {"56"})},
  };
  for (const char *name : {"badbitssize", "baddens1", "baddens2", "badfilesize", "badplanes", "pal8badindex",
                           "badrle", "badrlebis", "badrleter", "badrle4", "badrle4bis", "badrle4ter"})
    cases.push_back({std::string("b/") + name + ".bmp", TOutcome::LoadsOrRefused, ""});
  for (const char *name : {"pal8os2v2", "pal8os2v2-sz", "pal1huffmsb", "rgb24rle24"})
    cases.push_back({std::string("q/") + name + ".bmp", TOutcome::Refused, Text(HeaderSize, {"64"})});
  for (const char *name : {"rgb24jpeg", "rgb24png", "rgb24prof", "rgb24prof2", "rgb24lprof", "rgb32-xbgr",
                           "rgba16-1924", "rgba16-4444", "rgba16-5551", "rgba32-1", "rgba32-2", "rgba32-1010102",
                           "rgba32-61754", "rgba32-81284"})
    cases.push_back({std::string("q/") + name + ".bmp", TOutcome::Refused, Text(HeaderSize, {"124"})});
  return cases;
}

// Loads the file; returns the error text, or "" when it loaded.
std::string Load(const std::string &file, TDIB &dib) {
  try {
    dib.LoadFromFile(Suite + file);
  } catch (const Exception &error) {
    return error.what();
  }
  return "";
}

QImage Pixels(const TDIB &dib) {
  QImage image(dib.Width(), dib.Height(), QImage::Format_ARGB32);
  dib.ReadPixels32(reinterpret_cast<uint32_t *>(image.bits()), image.bytesPerLine() / 4);
  return image;
}

class BmpSuite : public testing::TestWithParam<TCase> {};
} // namespace

TEST_P(BmpSuite, File) {
  const TCase &testCase = GetParam();
  TDIB dib;
  const std::string error = Load(testCase.file, dib);
  switch (testCase.outcome) {
  case TOutcome::Matches: {
    ASSERT_EQ(error, "");
    const QImage reference =
        QImage(QString::fromStdString(Suite + "html/" + testCase.expected)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(reference.isNull());
    const QImage actual = Pixels(dib);
    ASSERT_EQ(actual.size(), reference.size());
    int differences = 0;
    for (int y = 0; y < actual.height(); ++y)
      for (int x = 0; x < actual.width(); ++x)
        if (actual.pixel(x, y) != (reference.pixel(x, y) | 0xFF000000) && differences++ < 3)
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << actual.pixel(x, y) << " instead of "
                        << reference.pixel(x, y);
    EXPECT_EQ(differences, 0);
    break;
  }
  case TOutcome::Refused:
    EXPECT_EQ(error, testCase.expected);
    EXPECT_TRUE(dib.Empty());
    break;
  case TOutcome::LoadsOrRefused:
    if (error.empty())
      Pixels(dib); // drawing must be safe too
    else // one of the reader's own texts, each naming the format
      EXPECT_NE(error.find("DIB"), std::string::npos) << error;
    break;
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, BmpSuite, testing::ValuesIn(Cases()), [](const auto &info) {
  std::string name = info.param.file;
  for (char &c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)))
      c = '_';
  return name;
});

TEST(BmpSuiteCoverage, EveryFileOfTheSuiteHasACase) {
  std::set<std::string> listed;
  for (const TCase &testCase : Cases())
    listed.insert(testCase.file);
  int files = 0;
  for (const char *folder : {"g", "q", "b", "x"})
    for (const auto &entry : std::filesystem::directory_iterator(Suite + folder)) {
      ++files;
      EXPECT_TRUE(listed.count(std::string(folder) + "/" + entry.path().filename().string())) << entry.path();
    }
  EXPECT_EQ(files, static_cast<int>(listed.size()));
}

// Suite files with a few bytes changed at seeded random places: each loads or is refused, and draws if it loads.
TEST(BmpSuiteMutations, DamagedFilesNeverCrash) {
  std::mt19937 random(20261208);
  int loaded = 0, refused = 0;
  for (const char *file : {"g/pal1.bmp", "g/pal4rle.bmp", "g/pal8rle.bmp", "g/pal8os2.bmp", "g/rgb16-565.bmp",
                           "g/rgb32bf.bmp", "g/pal8topdown.bmp", "q/pal4rletrns.bmp"}) {
    std::ifstream in(Suite + file, std::ios::binary);
    const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(original.empty()) << file;
    for (int round = 0; round < 150; ++round) {
      std::string bytes = original;
      const int changes = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < changes; ++i) // mostly in the headers, where the sizes are
        bytes[random() % std::min<std::size_t>(bytes.size(), round % 2 ? 80 : bytes.size())] =
            static_cast<char>(random());
      if (round % 5 == 0)
        bytes.resize(random() % bytes.size());
      TMemoryStream stream;
      stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
      stream.SetPosition(0);
      TDIB dib;
      try {
        dib.LoadFromStream(stream);
        Pixels(dib);
        ++loaded;
      } catch (const Exception &) {
        ++refused;
      }
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(refused, 0);
}
