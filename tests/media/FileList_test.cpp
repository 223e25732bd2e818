// The item list: reading whole media streams (and refusing damaged ones), removal, look-up and the grid texts.
#include "media/ItemColumns.h"
#include "media/fMediaStream.h"
#include "platform/CodePage.h"
#include "platform/MemoryGrid.h"
#include "platform/Streams.h"
#include "support/TempAppFolder.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <random>
#include <gtest/gtest.h>

namespace {
void AddImage(TFileList &list, const std::string &path, int64_t size = 3) {
  list.AddImage(path, true, size, 0, 0, 0, 0, 0, 0);
}

void AddSound(TFileList &list, const std::string &path, int64_t size = 3) { list.AddSound(path, false, size, 0, 0); }

// A media stream of kind with one record and data per entry of list.
TMemoryStream MediaStream(TFileList &list, TMediaKind kind) {
  TMemoryStream stream;
  stream.WriteValue<uint8_t>(kind);
  for (const auto &item : list.Items()) {
    item->WriteRecord(&stream);
    stream.WriteBuffer(std::string(static_cast<std::size_t>(item->Size), 'd').data(), item->Size);
  }
  return stream;
}

std::vector<std::string> Names(const TFileList &list) {
  std::vector<std::string> names;
  for (const auto &item : list.Items())
    names.push_back(item->Name);
  return names;
}

std::vector<std::string> Row(const TMemoryGrid &grid, int row) {
  std::vector<std::string> cells;
  for (int col = 0; col < grid.GetColCount(); ++col)
    cells.push_back(grid.GetCell(col, row));
  return cells;
}
} // namespace

TEST(FileList, ReadAllYieldsTheKindAndEveryEntryWithItsOffset) {
  TFileList written;
  AddSound(written, "/s/one.wav", 3);
  AddSound(written, "/s/empty.wav", 0);
  AddSound(written, "/s/Čtyři.wav", 2);
  TMemoryStream stream = MediaStream(written, mkSounds);
  TFileList list;
  TMediaKind kind = 9;
  list.ReadAll(stream, kind);
  EXPECT_EQ(kind, mkSounds);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items()[0]->Offset, 1 + 25 + 3);
  EXPECT_EQ(list.Items()[1]->Offset, 1 + 28 + 3 + 25 + 5);
  EXPECT_EQ(list.Items()[2]->Name, Utf8ToCp1250("Čtyři"));
  EXPECT_EQ(static_cast<TSoundFileItem &>(*list.Items()[2]).Pan, -1);
  EXPECT_EQ(static_cast<TSoundFileItem &>(*list.Items()[2]).Volume, 255);
}

TEST(FileList, ReadAllOfTheKindByteAloneIsAnEmptyList) {
  TMemoryStream stream;
  stream.WriteValue<uint8_t>(mkImages);
  TFileList list;
  TMediaKind kind = 5;
  list.ReadAll(stream, kind);
  EXPECT_EQ(kind, mkImages);
  EXPECT_EQ(list.Count(), 0);
}

struct TDamagedStream {
  const char *Defect;
  std::function<void(std::string &)> Damage;
  const char *Message;
};

class FileListDamaged : public testing::TestWithParam<TDamagedStream> {};

// Two image entries "a" and "b" of 3 bytes each: the kind byte, then a 38-byte record and 3 data bytes per entry.
TEST_P(FileListDamaged, IsRefusedWithAClearMessageAndNothingAdded) {
  TFileList written;
  AddImage(written, "/d/a.bmp");
  AddImage(written, "/d/b.bmp");
  TMemoryStream source = MediaStream(written, mkImages);
  std::string bytes(reinterpret_cast<const char *>(source.Memory()), static_cast<std::size_t>(source.Size()));
  GetParam().Damage(bytes);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  TFileList list;
  AddImage(list, "/d/kept.bmp");
  TMediaKind kind = 0;
  try {
    list.ReadAll(stream, kind);
    FAIL() << "a stream with " << GetParam().Defect << " was accepted";
  } catch (const EMediaStreamError &e) {
    EXPECT_STREQ(e.what(), GetParam().Message);
  }
  EXPECT_EQ(Names(list), std::vector<std::string>{"kept"});
}

// The second record starts at 42: its Size at 42..49, name length at 50, name at 51, extension at 52.
constexpr int second = 1 + 38 + 3;

INSTANTIATE_TEST_SUITE_P(
    Defects, FileListDamaged,
    testing::Values(
        TDamagedStream{"no bytes", [](std::string &b) { b.clear(); }, "Soubor je poškozený: chybí typ médií."},
        TDamagedStream{"kind 2", [](std::string &b) { b[0] = 2; }, "Neznámý typ médií v souboru."},
        TDamagedStream{"kind 255", [](std::string &b) { b[0] = '\xFF'; }, "Neznámý typ médií v souboru."},
        TDamagedStream{"a negative size", [](std::string &b) { b[second + 7] = '\x80'; },
                       "Soubor je poškozený: položka na pozici 42 má zápornou velikost."},
        TDamagedStream{"a size past the end", [](std::string &b) { b[second] = 4; },
                       "Soubor je poškozený: data položky na pozici 42 přesahují konec souboru."},
        TDamagedStream{"a huge size", [](std::string &b) { b[1 + 6] = 0x7F; },
                       "Soubor je poškozený: data položky na pozici 1 přesahují konec souboru."},
        TDamagedStream{"data cut short", [](std::string &b) { b.pop_back(); },
                       "Soubor je poškozený: data položky na pozici 42 přesahují konec souboru."},
        TDamagedStream{"a cut record", [](std::string &b) { b.resize(second + 20); },
                       "Soubor je poškozený: záznam položky na pozici 42 je neúplný."},
        TDamagedStream{"a cut size", [](std::string &b) { b.resize(second + 5); },
                       "Soubor je poškozený: záznam položky na pozici 42 je neúplný."},
        TDamagedStream{"a name longer than what is left",
                       [](std::string &b) {
                         b.resize(second + 10);
                         b[second + 8] = '\xFF';
                       },
                       "Soubor je poškozený: záznam položky na pozici 42 je neúplný."},
        TDamagedStream{"an extension of 6 characters", [](std::string &b) { b[second + 10] = 6; },
                       "Soubor je poškozený: položka na pozici 42 má neplatnou příponu."}),
    [](const testing::TestParamInfo<TDamagedStream> &info) {
      std::string name;
      for (const char *c = info.param.Defect; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

TEST(FileList, RandomlyDamagedStreamsAreReadWholeOrRefused) {
  TFileList written;
  AddImage(written, "/d/first.bmp", 5);
  AddImage(written, "/d/second.png", 0);
  AddImage(written, "/d/third.jpg", 9);
  TMemoryStream source = MediaStream(written, mkImages);
  const std::string valid(reinterpret_cast<const char *>(source.Memory()), static_cast<std::size_t>(source.Size()));
  std::mt19937 random(12345);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = valid;
    for (int flips = 1 + static_cast<int>(random() % 3); flips > 0; --flips)
      bytes[random() % bytes.size()] = static_cast<char>(random());
    if (round % 4 == 0)
      bytes.resize(random() % bytes.size());
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    TFileList list;
    TMediaKind kind = 0;
    try {
      list.ReadAll(stream, kind);
    } catch (const EMediaStreamError &) {
      EXPECT_EQ(list.Count(), 0);
      continue;
    }
    for (const auto &item : list.Items()) {
      EXPECT_GE(item->Size, 0);
      EXPECT_LE(item->Offset + item->Size, static_cast<int64_t>(bytes.size()));
    }
  }
}

TEST(FileList, ReadEntryOfAnotherKindReadsNothing) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  stream.SetPosition(0);
  TFileList list;
  list.ReadEntry(7, stream);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(FileList, RemoveByNameRemovesEveryExactMatch) {
  TFileList list;
  for (const char *path : {"/d/a.bmp", "/d/a.png", "/d/b.bmp", "/d/A.bmp"})
    AddImage(list, path);
  list.RemoveByName("a");
  EXPECT_EQ(Names(list), (std::vector<std::string>{"b", "A"}));
  list.RemoveByName("zzz");
  EXPECT_EQ(list.Count(), 2);
  list.Exchange(0, 1);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "b"}));
}

TEST(FileList, FindEntryAndReplaceSourceTakeTheLastMatch) {
  TTempAppFolder folder;
  TFileList list;
  AddImage(list, "/d/x.bmp", 3);
  AddImage(list, "/d/x.bmp", 3);
  EXPECT_EQ(list.FindEntry("x", 3), list.Items()[1].get());
  EXPECT_EQ(list.FindEntry("x", 4), nullptr);
  const std::string y = folder.WriteFile("y.jpg", "12345");
  list.ReplaceSource("x", 3, folder.File("missing.jpg"));
  EXPECT_EQ(list.Items()[1]->SourcePath, "/d/x.bmp");
  list.ReplaceSource("x", 3, y);
  const auto &later = static_cast<TImageFileItem &>(*list.Items()[1]);
  EXPECT_EQ(later.SourcePath, y);
  EXPECT_EQ(later.Size, 5);
  EXPECT_EQ(later.Offset, 0);
  EXPECT_EQ(later.Ext.Text(), ".BMP");
  EXPECT_FALSE(later.IsJpeg);
  EXPECT_EQ(list.Items()[0]->SourcePath, "/d/x.bmp");
}

TEST(FileList, FillGridGrowsRowsButNeverShrinksThem) {
  TMemoryGrid grid(9, 11);
  grid.SetCell(0, 0, "Název");
  TFileList list;
  for (int i = 0; i < 3; ++i)
    AddImage(list, "/d/p" + std::to_string(i) + ".bmp");
  list.FillGrid(grid, mkImages);
  EXPECT_EQ(grid.GetRowCount(), 11);
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"p0", ".BMP", "3", "True", "clBlack", "0", "0", "0", "0"}));
  EXPECT_EQ(Row(grid, 4), std::vector<std::string>(9));
  for (int i = 3; i < 15; ++i)
    AddImage(list, "/d/p" + std::to_string(i) + ".bmp");
  list.FillGrid(grid, mkImages);
  EXPECT_EQ(grid.GetRowCount(), 16);
  EXPECT_EQ(grid.GetCell(0, 15), "p14");
  TFileList empty;
  empty.FillGrid(grid, mkImages);
  EXPECT_EQ(grid.GetRowCount(), 16);
  EXPECT_EQ(Row(grid, 15), std::vector<std::string>(9));
  EXPECT_EQ(grid.GetCell(0, 0), "Název") << "the header row is never touched";
}

TEST(FileList, FillGridOverwritesEveryCellOfItsRowsAndFillRowIsTheWayBackOfTakeOverRow) {
  // One column more than the images have, every cell showing something else before.
  TMemoryGrid grid(10, 6);
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 10; ++col)
      grid.SetCell(col, row, "x");
  TFileList list;
  AddImage(list, "/d/a.bmp");
  AddImage(list, "/d/b.bmp", 7);
  list.FillGrid(grid, mkImages);
  std::vector<std::string> first{"a", ".BMP", "3", "True", "clBlack", "0", "0", "0", "0", ""};
  EXPECT_EQ(Row(grid, 1), first);
  EXPECT_EQ(Row(grid, 2)[2], "7");
  for (int row = 3; row < 6; ++row)
    EXPECT_EQ(Row(grid, row), std::vector<std::string>(10)) << row;
  EXPECT_EQ(grid.GetCell(9, 0), "x") << "the header row is never touched";

  // Row 2 shows the entry at position 1 again, whatever the cells held; a row without an entry is emptied.
  grid.SetCell(5, 2, "12");
  ASSERT_TRUE(list.TakeOverRow(grid, mkImages, 2));
  grid.SetCell(5, 2, "x");
  grid.SetCell(9, 2, "x");
  list.Exchange(0, 1);
  list.FillRow(grid, mkImages, 1);
  list.FillRow(grid, mkImages, 2);
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"b", ".BMP", "7", "True", "clBlack", "12", "0", "0", "0", ""}));
  EXPECT_EQ(Row(grid, 2), first);
  grid.SetCell(0, 4, "x");
  list.FillRow(grid, mkImages, 4);
  EXPECT_EQ(Row(grid, 4), std::vector<std::string>(10));
  list.FillRow(grid, mkSounds, 1);
  EXPECT_EQ(Row(grid, 1), std::vector<std::string>(10)) << "an entry of the other kind shows as an empty row";
  list.FillRow(grid, mkImages, 0);
  list.FillRow(grid, mkImages, 6);
  EXPECT_EQ(grid.GetCell(9, 0), "x") << "the header and rows outside the grid are left alone";
}

TEST(FileList, FillGridShowsSoundsAndSkipsTheOtherKind) {
  TMemoryGrid grid(7, 3);
  TFileList list;
  AddSound(list, "/d/Žluť.wav");
  list.FillGrid(grid, mkSounds);
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"Žluť", ".WAV", "3", "False", "0", "255", "-1"}));
  list.FillGrid(grid, mkImages);
  EXPECT_EQ(grid.GetCell(0, 1), "");
}

TEST(FileList, TakeOverGridStoresEditedCellsIntoTheEntries) {
  TMemoryGrid grid(7, 4);
  TFileList list;
  AddSound(list, "/d/Žluť.wav");
  AddSound(list, "/d/b.wav");
  list.FillGrid(grid, mkSounds);
  grid.SetCell(3, 1, "True");
  grid.SetCell(5, 1, "300");
  grid.SetCell(6, 1, "$10");
  grid.SetCell(5, 2, "-1");
  grid.SetCell(3, 2, "true");
  grid.OpenEditor(4, 2, "44100");
  list.TakeOverGrid(grid, mkSounds);
  const auto &first = static_cast<TSoundFileItem &>(*list.Items()[0]);
  const auto &second = static_cast<TSoundFileItem &>(*list.Items()[1]);
  EXPECT_TRUE(first.Looped);
  EXPECT_EQ(first.Volume, 44);
  EXPECT_EQ(first.Pan, 16);
  EXPECT_FALSE(second.Looped);
  EXPECT_EQ(second.Volume, 255);
  EXPECT_EQ(second.Frequency, 44100) << "the open editor's text is committed first";
}

TEST(FileList, TakeOverGridWithDuplicatesStoresIntoTheLaterEntry) {
  TMemoryGrid grid(9, 3);
  TFileList list;
  AddImage(list, "/d/x.bmp");
  AddImage(list, "/d/x.bmp");
  list.FillGrid(grid, mkImages);
  grid.SetCell(5, 1, "1");
  grid.SetCell(5, 2, "2");
  grid.SetCell(4, 1, "clRed");
  list.TakeOverGrid(grid, mkImages);
  EXPECT_EQ(static_cast<TImageFileItem &>(*list.Items()[0]).PatternHeight, 0);
  EXPECT_EQ(static_cast<TImageFileItem &>(*list.Items()[1]).PatternHeight, 2);
  EXPECT_EQ(static_cast<TImageFileItem &>(*list.Items()[1]).TransparentColor, 0u) << "the later row wins";
}

TEST(FileList, TakeOverGridStopsAtABadCellKeepingWhatWasStored) {
  TMemoryGrid grid(9, 4);
  TFileList list;
  AddImage(list, "/d/a.bmp");
  AddImage(list, "/d/b.bmp");
  AddImage(list, "/d/c.bmp");
  list.FillGrid(grid, mkImages);
  grid.SetCell(0, 1, "* a");
  grid.SetCell(5, 1, "9");
  grid.SetCell(5, 2, "7");
  grid.SetCell(6, 2, "x7");
  grid.SetCell(8, 2, "5");
  grid.SetCell(5, 3, "3");
  try {
    list.TakeOverGrid(grid, mkImages);
    FAIL();
  } catch (const EConvertError &e) {
    EXPECT_STREQ(e.what(), "'x7' is not a valid integer value");
  }
  const auto image = [&](int i) -> const TImageFileItem & { return static_cast<TImageFileItem &>(*list.Items()[i]); };
  EXPECT_EQ(image(0).PatternHeight, 0) << "a row marked for removal matches no entry";
  EXPECT_EQ(image(1).PatternHeight, 7);
  EXPECT_EQ(image(1).SkipWidth, 0);
  EXPECT_EQ(image(2).PatternHeight, 0);
}

TEST(FileList, RemoveAtTakesExactlyThosePositions) {
  TFileList list;
  for (const char *path : {"/d/tile.bmp", "/d/tile.dib", "/d/b.bmp", "/d/tile.jpg"})
    AddImage(list, path);
  list.RemoveAt({3, 0, 3, 17, -1});
  EXPECT_EQ(Names(list), (std::vector<std::string>{"tile", "b"}));
  EXPECT_EQ(list.Items()[0]->Ext.Text(), ".DIB");
}

TEST(FileList, RemoveAtKeepsTheOrderOfWhatStaysWhateverIsRemoved) {
  TFileList list;
  std::vector<std::string> expected;
  std::vector<int> removed;
  for (int i = 0; i < 1000; ++i) {
    const std::string name = std::string("p").append(std::to_string(i));
    AddImage(list, "/d/" + name + ".bmp");
    if (i % 3 == 0 || i == 999)
      removed.push_back(i);
    else
      expected.push_back(name);
  }
  std::shuffle(removed.begin(), removed.end(), std::mt19937(14));
  removed.push_back(removed.front());
  list.RemoveAt(removed);
  EXPECT_EQ(Names(list), expected);
  list.RemoveAt({});
  EXPECT_EQ(Names(list), expected);
}

TEST(FileList, SpliceTakesOutAndPutsInAtTheFinalPositionsOrChangesNothing) {
  auto entry = [](const std::string &name) {
    return TImageFileItem::CreateFromFile("/p/" + name + ".bmp", true, 1, 0, 0, 0, 0, 0, 0);
  };
  TFileList list;
  for (const char *name : {"a", "b", "c", "d", "e"})
    AddImage(list, std::string("/p/") + name + ".bmp");
  auto coming = [&](std::vector<std::pair<int, std::string>> placed) {
    std::vector<std::pair<int, std::unique_ptr<TFileListItem>>> entries;
    for (auto &[position, name] : placed)
      entries.emplace_back(position, entry(name));
    return entries;
  };
  list.Splice({1, 3}, coming({{0, "x"}, {3, "y"}, {4, "z"}}));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"x", "a", "c", "y", "z", "e"}));
  list.Splice({}, coming({{6, "w"}}));
  list.Splice({0, 6}, {});
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c", "y", "z", "e"}));

  // Positions past the end, out of order or repeated are refused whole.
  for (auto &&[leaving, placed] : std::vector<std::pair<std::vector<int>, std::vector<std::pair<int, std::string>>>>{
           {{5}, {}}, {{2, 1}, {}}, {{1, 1}, {}}, {{-1}, {}}, {{0}, {{5, "q"}}}, {{}, {{1, "q"}, {1, "r"}}}}) {
    EXPECT_THROW(list.Splice(leaving, coming(placed)), std::out_of_range);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c", "y", "z", "e"}));
  }
}

TEST(FileList, TakeOverByRowGivesNamesakesTheirOwnValuesAndSaysWhatChanged) {
  TMemoryGrid grid(9, 4);
  TFileList list;
  AddImage(list, "/d/x.bmp");
  AddImage(list, "/d/x.bmp");
  list.FillGrid(grid, mkImages);
  EXPECT_FALSE(list.TakeOverGridByRow(grid, mkImages)) << "nothing edited, nothing changed";
  grid.SetCell(0, 1, "* x");
  grid.SetCell(5, 1, "1");
  grid.OpenEditor(5, 2, "2");
  EXPECT_TRUE(list.TakeOverGridByRow(grid, mkImages));
  EXPECT_EQ(static_cast<TImageFileItem &>(*list.Items()[0]).PatternHeight, 1) << "a marked row is taken over too";
  EXPECT_EQ(static_cast<TImageFileItem &>(*list.Items()[1]).PatternHeight, 2);
  EXPECT_FALSE(list.TakeOverRow(grid, mkImages, 2));
  EXPECT_FALSE(list.TakeOverRow(grid, mkImages, 3)) << "a row below the entries is nobody's";
}

TEST(FileList, TakeOverByRowNamesTheEntryAndTheColumnOfABadCell) {
  TMemoryGrid grid(7, 3);
  TFileList list;
  AddSound(list, "/d/Žluť.wav");
  list.FillGrid(grid, mkSounds);
  grid.SetCell(3, 1, "True");
  grid.SetCell(5, 1, "hlasitě");
  try {
    list.TakeOverRow(grid, mkSounds, 1);
    FAIL();
  } catch (const EConvertError &e) {
    EXPECT_STREQ(e.what(), "Položka Žluť, sloupec Volume: 'hlasitě' is not a valid integer value");
  }
  EXPECT_TRUE(static_cast<TSoundFileItem &>(*list.Items()[0]).Looped) << "the columns before it are stored";
  EXPECT_FALSE(AttributeTextValid(mkSounds, 5, "hlasitě"));
  EXPECT_TRUE(AttributeTextValid(mkSounds, 4, "192000"));
  EXPECT_FALSE(AttributeTextValid(mkImages, 4, "cervena"));
  EXPECT_TRUE(AttributeTextValid(mkImages, 4, "clRed"));
  EXPECT_TRUE(AttributeTextValid(mkImages, 0, "anything"));
}

TEST(FileList, ReplaceSourceAtReplacesThatPositionOnly) {
  TTempAppFolder folder;
  const std::string replacement = folder.WriteFile("new.bmp", "12345");
  TFileList list;
  AddImage(list, "/d/x.bmp");
  AddImage(list, "/d/x.bmp");
  list.ReplaceSourceAt(0, replacement);
  list.ReplaceSourceAt(5, replacement);
  EXPECT_EQ(list.Items()[0]->Size, 5);
  EXPECT_EQ(list.Items()[0]->SourcePath, replacement);
  EXPECT_EQ(list.Items()[1]->SourcePath, "/d/x.bmp");
}
