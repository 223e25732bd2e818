// Will the runtime accept it: each rule of the check with a file that trips it and one that does not.
#include "media/EntryCheck.h"

#include "media/CellTexts.h"
#include "media/DocumentController.h"
#include "media/MediaDocument.h"
#include "support/PictureFiles.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {
using K = TProblemKind;
using namespace PictureFiles;
constexpr uint32_t magenta = 0xFF00FF;

class EntryCheck : public ::testing::Test {
protected:
  TImageFileItem &Picture(const std::string &file, const std::string &bytes, bool transparent = false,
                          TColor key = clDefault, int patternWidth = 0, int patternHeight = 0, int skip = 0) {
    EXPECT_TRUE(document.AddFile(app.WriteFile(file, bytes), mkImages));
    auto &entry = dynamic_cast<TImageFileItem &>(*document.List.Items().back());
    entry.Transparent = transparent;
    entry.TransparentColor = key;
    entry.PatternWidth = patternWidth;
    entry.PatternHeight = patternHeight;
    entry.SkipWidth = entry.SkipHeight = skip;
    return entry;
  }
  TSoundFileItem &Sound(const std::string &file, const std::string &bytes, int frequency) {
    EXPECT_TRUE(document.AddFile(app.WriteFile(file, bytes), mkSounds));
    auto &entry = dynamic_cast<TSoundFileItem &>(*document.List.Items().back());
    entry.Frequency = frequency;
    return entry;
  }
  std::vector<TProblemKind> Kinds(const TFileListItem &entry) {
    std::vector<TProblemKind> kinds;
    for (const TEntryProblem &problem : CheckEntry(document, entry))
      kinds.push_back(problem.Kind);
    return kinds;
  }
  static std::string Jpeg() {
    std::ifstream file(std::string(TOVRIK_TESTDATA) + "/jpeg/testorig.jpg", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  }

  TTempAppFolder app;
  // Before the document, which reads the extension lists when it is made. PNG and MP3 entries stay as they are
  // (conversion off), as in a container another program made.
  std::string config = app.WriteFile("config.ini", "[ImageFileExts]\nCount=5\nExt0=.BMP\nExt1=.JPG\nExt2=.ICO\n"
                                                   "Ext3=.PNG\nExt4=.DIB\n[SoundFileExts]\nCount=2\nExt0=.WAV\nExt1=.MP3\n"
                                                   "[Conversion]\nPictures=0\nSounds=0\n");
  TMediaStream document;
};

// A magenta-keyed sprite with an antialiased edge: a column of pinkish pixels between the key and the shape.
uint32_t Sprite(int x, int y) {
  if (x < 4 || y < 4)
    return magenta;
  return x == 4 ? 0xC000C0 : 0x000000;
}
} // namespace

TEST_F(EntryCheck, FrameGridsThatLeavePixelsOrHoldNoFrameAndOnesThatFit) {
  const std::string sheet = Bmp24(20, 10, [](int, int) { return 0x336699u; });
  const std::vector<TEntryProblem> leftOver = CheckEntry(document, Picture("a.bmp", sheet, false, clDefault, 8, 8));
  ASSERT_EQ(leftOver.size(), 1u);
  EXPECT_EQ(leftOver[0], (TEntryProblem{K::FrameLeftOver, {4, 2}, {}}));
  EXPECT_EQ(ProblemText(leftOver[0]), "mřížka snímků nechává 4 px vpravo a 2 px dole mimo celé snímky");
  EXPECT_EQ(CheckEntry(document, Picture("b.bmp", sheet, false, clDefault, 30, 0))[0],
            (TEntryProblem{K::NoFrame, {20, 10, 30, 0}, {}}));
  // Frames with gaps between them that end at the sheet's edges, a whole-sheet strip, and no pattern at all.
  EXPECT_EQ(Kinds(Picture("c.bmp", sheet, false, clDefault, 4, 10, 4)), std::vector<K>{});
  EXPECT_EQ(Kinds(Picture("d.bmp", sheet, false, clDefault, 10, 0)), std::vector<K>{});
  EXPECT_EQ(Kinds(Picture("e.bmp", sheet)), std::vector<K>{});
}

TEST_F(EntryCheck, KeyColoursThatOccurNowhereFringesAndJpegsWithAKey) {
  const std::string sprite = Bmp24(12, 12, Sprite);
  EXPECT_EQ(CheckEntry(document, Picture("absent.bmp", sprite, true, 0x0000FF /* clRed */))[0],
            (TEntryProblem{K::KeyColorAbsent, {}, "clRed"}));
  // clDefault keys out the bottom-left pixel (magenta here): it is there, and so are the 8 fringe pixels.
  EXPECT_EQ(CheckEntry(document, Picture("fringe.bmp", sprite, true, clDefault))[0],
            (TEntryProblem{K::Fringe, {8}, "clFuchsia"}));
  EXPECT_EQ(Kinds(Picture("fringe2.bmp", sprite, true, 0xFF00FF /* clFuchsia */)), std::vector<K>{K::Fringe});
  // A hard edge has no fringe; without Transparent neither key nor fringe matter.
  const std::string clean = Bmp24(12, 12, [](int x, int) { return x < 4 ? magenta : 0u; });
  EXPECT_EQ(Kinds(Picture("clean.bmp", clean, true, clDefault)), std::vector<K>{});
  EXPECT_EQ(Kinds(Picture("opaque.bmp", sprite, false, 0x0000FF)), std::vector<K>{});
  // An icon is read through its largest image like a bitmap.
  EXPECT_EQ(Kinds(Picture("icon.ico", Ico24(12, Sprite), true, clDefault)), std::vector<K>{K::Fringe});
  EXPECT_EQ(Kinds(Picture("icon2.ico", Ico24(12, [](int x, int) { return x < 4 ? magenta : 0u; }), true)),
            std::vector<K>{});
  // The photo's bottom-left colour keyed out leaves its lossy neighbours as a fringe too.
  EXPECT_EQ(Kinds(Picture("photo.jpg", Jpeg(), true)), (std::vector<K>{K::JpegTransparent, K::Fringe}));
  EXPECT_EQ(Kinds(Picture("photo2.jpg", Jpeg(), false)), std::vector<K>{});
}

TEST_F(EntryCheck, DataThatIsNotWhatItsExtensionSaysAndFormatsTheRuntimeDoesNotRead) {
  EXPECT_EQ(Kinds(Picture("text.bmp", "no picture")), std::vector<K>{K::Undecodable});
  EXPECT_EQ(Kinds(Picture("cut.jpg", Jpeg().substr(0, 400))), std::vector<K>{K::Undecodable});
  EXPECT_EQ(Kinds(Picture("cut.ico", Ico24(8, Sprite).substr(0, 30))), std::vector<K>{K::Undecodable});
  EXPECT_EQ(Kinds(Picture("empty.bmp", "")), std::vector<K>{K::Undecodable});
  EXPECT_EQ(Kinds(Picture("art.png", "\x89PNG")), std::vector<K>{K::PictureFormat});
  EXPECT_EQ(Kinds(Sound("noise.wav", "RIFF....AVI ", 22050)), std::vector<K>{K::Undecodable});
  // The same file under a name whose data went away cannot be read at all.
  TImageFileItem &gone = Picture("gone.bmp", Bmp24(2, 2, Sprite));
  std::filesystem::remove(app.File("gone.bmp"));
  EXPECT_EQ(Kinds(gone), std::vector<K>{K::Unreadable});
}

TEST_F(EntryCheck, SoundsThatAreNotPcmWaveAndRatesThatDifferAsNotes) {
  EXPECT_EQ(Kinds(Sound("ok.wav", Wave(22050), 22050)), std::vector<K>{});
  EXPECT_EQ(CheckEntry(document, Sound("float.wav", Wave(22050, 3), 22050))[0],
            (TEntryProblem{K::SoundFormat, {3}, {}}));
  EXPECT_EQ(Kinds(Sound("music.mp3", "ID3", 44100)), std::vector<K>{K::SoundExtension});
  const std::vector<TEntryProblem> zero = CheckEntry(document, Sound("zero.wav", Wave(11025), 0));
  EXPECT_EQ(zero, (std::vector<TEntryProblem>{{K::FrequencyZero, {11025}, {}}}));
  const std::vector<TEntryProblem> pitch = CheckEntry(document, Sound("pitch.wav", Wave(22050), 44100));
  EXPECT_EQ(pitch, (std::vector<TEntryProblem>{{K::FrequencyDiffers, {44100, 22050}, {}}}));
  EXPECT_TRUE(IsNote(zero[0]) && IsNote(pitch[0]));
}

TEST_F(EntryCheck, TwoEntriesOfTheSameNameAndExtensionAndTheControllerRechecksOnlyWhatChanged) {
  const std::string wave = Wave(22050);
  for (const char *file : {"hit.wav", "step.wav"})
    Sound(file, wave, 22050);
  std::filesystem::create_directory(app.Path() / "other");
  Sound("other/HIT.wav", wave, 22050);
  const std::vector<TFoundProblem> found = CheckDocument(document);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Position, 2);
  EXPECT_EQ(found[0].Problem, (TEntryProblem{K::SameName, {1}, {}}));

  TDocumentController controller;
  controller.New(mkImages);
  const std::string picture = Bmp24(4, 4, [](int x, int) { return x < 2 ? magenta : 0u; });
  controller.Add({app.WriteFile("one.bmp", picture), app.WriteFile("two.bmp", picture)});
  EXPECT_EQ(controller.CheckEntries(), 0);
  const TFileListItem *checkedFirst = controller.StateAt(0).Checked.get();
  auto &second = dynamic_cast<TImageFileItem &>(*controller.Document().List.Items()[1]);
  second.PatternWidth = 3;
  controller.CheckEntries();
  EXPECT_EQ(controller.StateAt(0).Checked.get(), checkedFirst); // unchanged: not read again
  ASSERT_EQ(controller.Problems().size(), 1u);
  EXPECT_EQ(controller.Problems()[0].Position, 1);
  EXPECT_EQ(controller.Problems()[0].Problem.Kind, K::FrameLeftOver);
}
