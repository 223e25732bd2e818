// Saving and opening containers: round trips at every level, progress, and every damaged or refused file.
#include "media/Container.h"

#include "media/ZIPStream.h"
#include "platform/Progress.h"
#include "platform/Streams.h"
#include "support/ScriptedProgress.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace {
std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char &c : bytes)
    c = static_cast<char>(generator());
  return bytes;
}

std::vector<std::string> FolderContents(const std::filesystem::path &folder) {
  std::vector<std::string> names;
  for (const auto &item : std::filesystem::directory_iterator(folder))
    names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Container : public ::testing::Test {
protected:
  TTempAppFolder app;
  TScriptedPrompt prompt;
  std::filesystem::path work = app.Path() / "work";

  void SetUp() override {
    app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n[SoundFileExts]\nCount=1\nExt0=.WAV\n");
    std::filesystem::create_directories(work);
  }
  std::string WorkFile(const std::string &name, const std::string &bytes) { return app.WriteFile("work/" + name, bytes); }
  std::string WorkPath(const std::string &name) const { return (work / name).string(); }

  std::string MediaStreamOf(TMediaStream &document, TMediaKind kind) {
    TMemoryStream stream;
    document.Assemble(stream, kind);
    return std::string(reinterpret_cast<const char *>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
  }
  // A container with the given media stream as its only entry, written by the archive itself.
  std::string WriteArchive(const std::string &name, const std::string &entryName, const std::string &stream,
                           int level) {
    TZip zip;
    zip.AddEntry(entryName, stream.data(), level, static_cast<uint32_t>(stream.size()));
    TMemoryStream archive;
    zip.WriteTo(archive);
    return WorkFile(name, std::string(reinterpret_cast<const char *>(archive.Memory()),
                                      static_cast<std::size_t>(archive.Size())));
  }
};
} // namespace

TEST_F(Container, RoundTripsMixedEntriesAtEveryLevel) {
  TMediaStream document;
  document.AddFile(WorkFile("a.wav", "ABC"), mkSounds);
  document.AddFile(WorkFile("silence.wav", ""), mkSounds);
  document.AddFile(WorkFile("noise.wav", RandomBytes(3 << 20, 1)), mkSounds); // crosses the 1 MiB chunks
  document.AddFile(WorkFile("text.wav", std::string(2 << 20, 'x')), mkSounds);
  const std::string expected = MediaStreamOf(document, mkSounds);
  for (int level = 0; level <= 3; ++level) {
    const std::string path = WorkPath("sounds" + std::to_string(level) + ".tvk");
    SaveContainer(document, mkSounds, path, level);
    TMediaStream reopened;
    EXPECT_EQ(LoadContainer(reopened, path), std::optional<TMediaKind>(mkSounds));
    EXPECT_EQ(MediaStreamOf(reopened, mkSounds), expected) << "level " << level;
    EXPECT_EQ(ReadMediaEntryFacts(path).Level, level);
  }
}

TEST_F(Container, StoredWorkedExampleIsTheExpectedArchive) {
  TMediaStream document;
  document.AddFile(WorkFile("a.bmp", "ABC"), mkImages);
  const std::string path = WorkPath("a.tvk");
  SaveContainer(document, mkImages, path, 0);
  const std::string bytes = TTempAppFolder::ReadFile(path);
  ASSERT_EQ(bytes.size(), 154u);
  EXPECT_EQ(bytes.substr(0, 4), "PK\x03\x04");
  EXPECT_EQ(bytes.substr(30, 7), "Media.m");
  EXPECT_EQ(bytes.substr(37, 42), MediaStreamOf(document, mkImages));
}

// A hand-edited level outside 0-3 means normal, as a level that is no number does.
TEST_F(Container, LevelsOutsideTheRangeMeanNormal) {
  TMediaStream document;
  document.AddFile(WorkFile("a.bmp", "ABC"), mkImages);
  SaveContainer(document, mkImages, WorkPath("low.tvk"), -5);
  SaveContainer(document, mkImages, WorkPath("high.tvk"), 17);
  EXPECT_EQ(ReadMediaEntryFacts(WorkPath("low.tvk")).Level, 2);
  EXPECT_EQ(ReadMediaEntryFacts(WorkPath("high.tvk")).Level, 2);
}

TEST_F(Container, SaveReportsAssemblyThenCompressionInBytes) {
  TMediaStream document;
  document.AddFile(WorkFile("a.bmp", "ABC"), mkImages);
  document.AddFile(WorkFile("b.bmp", "DEFG"), mkImages);
  TScriptedProgress progress;
  SaveContainer(document, mkImages, WorkPath("a.tvk"), 2);
  const std::size_t mediaStream = MediaStreamOf(document, mkImages).size();
  const std::vector<std::string> expected{"message Sestavuji soubor", "max 7", "start", "position 3", "position 7",
                                          "message Komprimuji soubor", "max " + std::to_string(mediaStream),
                                          "position " + std::to_string(mediaStream)};
  EXPECT_EQ(std::vector<std::string>(progress.Calls.begin(), progress.Calls.begin() + long(expected.size())), expected);
}

TEST_F(Container, CancelledSaveLeavesTheOldContainerAndNoTemporaryFiles) {
  TMediaStream document;
  document.AddFile(WorkFile("a.wav", RandomBytes(3 << 20, 2)), mkSounds);
  document.AddFile(WorkFile("b.wav", std::string(5 << 20, 'b')), mkSounds);
  const std::string path = WorkPath("keep.tvk");
  SaveContainer(document, mkSounds, path, 1);
  const std::string before = TTempAppFolder::ReadFile(path);
  const auto contents = FolderContents(work);
  for (const char *step : {"Sestavuji soubor", "Komprimuji soubor"}) {
    for (int level = 0; level <= 3; level += 3) {
      TScriptedProgress progress;
      progress.CancelAt(step, 2 << 20);
      EXPECT_THROW(SaveContainer(document, mkSounds, path, level), EAbort) << step;
      EXPECT_EQ(TTempAppFolder::ReadFile(path), before) << step;
      EXPECT_EQ(FolderContents(work), contents) << step;
    }
  }
}

TEST_F(Container, CancelledOpenLeavesTheDocumentEmptyWithoutABackingFile) {
  TMediaStream document;
  document.AddFile(WorkFile("a.wav", RandomBytes(4 << 20, 3)), mkSounds);
  const std::string path = WorkPath("big.tvk");
  SaveContainer(document, mkSounds, path, 2);
  TMediaStream reopened;
  {
    TScriptedProgress progress;
    progress.CancelAt("Načítám soubor", 1 << 20);
    EXPECT_THROW(LoadContainer(reopened, path), EAbort);
    EXPECT_EQ(progress.Calls.front(), "message Načítám soubor");
  }
  EXPECT_EQ(reopened.List.Count(), 0);
  EXPECT_EQ(reopened.BackingFile(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(BackingFilePath()));
  EXPECT_EQ(LoadContainer(reopened, path), std::optional<TMediaKind>(mkSounds));
  EXPECT_EQ(reopened.List.Count(), 1);
}

TEST_F(Container, FailedSaveLeavesTheOldContainerAndNoTemporaryFiles) {
  TMediaStream document;
  const std::string source = WorkFile("a.bmp", "ABC");
  document.AddFile(source, mkImages);
  const std::string path = WorkPath("keep.tvk");
  SaveContainer(document, mkImages, path, 2);
  const std::string before = TTempAppFolder::ReadFile(path);
  const auto contents = FolderContents(work);

  WorkFile("a.bmp", "ABCDEFGH"); // the source grew after it was added
  EXPECT_THROW(SaveContainer(document, mkImages, path, 2), Exception);
  EXPECT_EQ(TTempAppFolder::ReadFile(path), before);
  EXPECT_EQ(FolderContents(work), contents);

  EXPECT_THROW(SaveContainer(document, mkImages, WorkPath("missing-folder/new.tvk"), 2), Exception);
  EXPECT_FALSE(std::filesystem::exists(WorkPath("missing-folder")));
}

TEST_F(Container, SaveReplacesTheFileALinkLeadsTo) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links on Windows need a privilege of their own";
#endif
  TMediaStream document;
  document.AddFile(WorkFile("a.bmp", "ABC"), mkImages);
  const std::string real = WorkFile("real.tvk", "old");
  std::filesystem::create_symlink(real, WorkPath("link.tvk"));
  SaveContainer(document, mkImages, WorkPath("link.tvk"), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(WorkPath("link.tvk")));
  EXPECT_EQ(TTempAppFolder::ReadFile(real).size(), 154u);
}

TEST_F(Container, EmptyFileIsReportedThroughThePrompt) {
  TMediaStream document;
  EXPECT_EQ(LoadContainer(document, WorkFile("empty.tvk", "")), std::nullopt);
  EXPECT_EQ(prompt.Errors, std::vector<std::string>{"Soubor je prázdný!"});
  EXPECT_EQ(document.List.Count(), 0);
  EXPECT_EQ(document.BackingFile(), nullptr);
}

TEST_F(Container, OpensAContainerWhoseEntryNameDiffersInCase) {
  const std::string stream = std::string(1, '\1');
  TMediaStream document;
  EXPECT_EQ(LoadContainer(document, WriteArchive("case.tvk", "MEDIA.M", stream, 2)), std::optional<TMediaKind>(1));
}

TEST_F(Container, DamagedOrForeignFilesAreRefusedAndLeaveNothingBehind) {
  TMediaStream source;
  source.AddFile(WorkFile("a.bmp", std::string(5000, 'a') + RandomBytes(5000, 2)), mkImages);
  SaveContainer(source, mkImages, WorkPath("stored.tvk"), 0);
  SaveContainer(source, mkImages, WorkPath("deflated.tvk"), 2);
  const std::string stored = TTempAppFolder::ReadFile(WorkPath("stored.tvk"));
  const std::string deflated = TTempAppFolder::ReadFile(WorkPath("deflated.tvk"));
  const auto flip = [](std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
    return bytes;
  };
  const std::vector<std::pair<std::string, std::string>> cases{
      {flip(stored, 30 + 7 + 6000), "Soubor je poškozený"},          // a data byte: CRC-32 mismatch
      {flip(deflated, 30 + 7 + 100), "Soubor je poškozený"},         // compressed data
      {stored.substr(0, stored.size() - 30), "ZIP"},                  // end record cut off
      {"this is not an archive at all, just some text", "ZIP"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::string path = WorkFile("bad" + std::to_string(i) + ".tvk", cases[i].first);
    TMediaStream document;
    try {
      LoadContainer(document, path);
      ADD_FAILURE() << "case " << i << " was loaded";
    } catch (const Exception &error) {
      EXPECT_NE(std::string(error.what()).find(cases[i].second), std::string::npos) << i << ": " << error.what();
    }
    EXPECT_EQ(document.List.Count(), 0) << i;
    EXPECT_EQ(document.BackingFile(), nullptr) << i;
    try {
      VerifyContainer(path);
      ADD_FAILURE() << "case " << i << " was verified";
    } catch (const Exception &error) {
      EXPECT_NE(std::string(error.what()).find(cases[i].second), std::string::npos) << i << ": " << error.what();
    }
  }
}

// Verifying reads the container as opening does, but no document claims a backing file: with the backing file held
// by someone else, a document would have moved on to another name.
TEST_F(Container, VerifyNeedsNoBackingFile) {
  TMediaStream source;
  source.AddFile(WorkFile("a.bmp", std::string(70000, 'a') + RandomBytes(3000000, 3)), mkImages);
  for (int level = 0; level <= 3; ++level)
    SaveContainer(source, mkImages, WorkPath("good" + std::to_string(level) + ".tvk"), level);
  const std::unique_ptr<TBackingFile> held = TBackingFile::TryClaim(BackingFilePath());
  ASSERT_NE(held, nullptr);
  const std::string backingName = TempFileName();
  const std::vector<std::string> before = FolderContents(app.Path());
  for (int level = 0; level <= 3; ++level)
    EXPECT_NO_THROW(VerifyContainer(WorkPath("good" + std::to_string(level) + ".tvk"))) << level;
  EXPECT_EQ(TempFileName(), backingName);
  EXPECT_EQ(FolderContents(app.Path()), before);
  try {
    VerifyContainer(WorkFile("empty.tvk", ""));
    ADD_FAILURE() << "an empty file was verified";
  } catch (const Exception &error) {
    EXPECT_STREQ(error.what(), "Soubor je prázdný!");
  }
}

TEST_F(Container, ArchiveWithoutMediaEntryOrWithADamagedMediaStreamIsRefused) {
  TMediaStream document;
  EXPECT_THROW(LoadContainer(document, WriteArchive("other.tvk", "Other.m", "\1", 2)), Exception);
  const std::string cutRecord("\0\x09\0\0\0\0\0\0\0\1a", 11); // claims 9 data bytes, holds none
  EXPECT_THROW(LoadContainer(document, WriteArchive("framing.tvk", "Media.m", cutRecord, 2)), Exception);
  EXPECT_THROW(LoadContainer(document, WriteArchive("kind.tvk", "Media.m", "\7", 0)), Exception);
  EXPECT_EQ(document.List.Count(), 0);
  for (const char *name : {"other.tvk", "framing.tvk", "kind.tvk"})
    EXPECT_THROW(VerifyContainer(WorkPath(name)), Exception) << name;
  EXPECT_THROW(LoadContainer(document, WorkPath("missing.tvk")), EFOpenError);
}

TEST_F(Container, EveryArchiveOfTheCorpusIsOpenedOrRefusedCleanly) {
  std::size_t files = 0;
  for (const auto &item : std::filesystem::recursive_directory_iterator(std::string(TOVRIK_TESTDATA) + "/zip")) {
    if (!item.is_regular_file())
      continue;
    ++files;
    SCOPED_TRACE(item.path().string());
    TMediaStream document;
    try {
      LoadContainer(document, item.path().string());
    } catch (const Exception &error) {
      EXPECT_GT(std::string(error.what()).size(), 5u);
      EXPECT_EQ(document.List.Count(), 0);
      EXPECT_EQ(document.BackingFile(), nullptr);
    }
  }
  EXPECT_GT(files, 50u);
}

namespace {
std::string SaveError(TMediaStream &document, const std::string &path, int level) {
  try {
    SaveContainer(document, mkImages, path, level);
  } catch (const Exception &error) {
    return error.what();
  }
  return "";
}
} // namespace

// A sparse source file makes a media stream of any size without the disk space: the refusal comes before
// anything is read or written.
TEST_F(Container, AMediaStreamThatNeedsZip64IsRefusedBeforeAnythingIsWritten) {
  const std::string path = WorkFile("keep.tvk", "old");
  const std::string big = WorkPath("big.bmp");
  const auto streamOf = [&](int64_t dataSize) {
    std::filesystem::resize_file(big, static_cast<std::uintmax_t>(dataSize));
    auto document = std::make_unique<TMediaStream>();
    document->AddFile(big, mkImages);
    return document;
  };
  WorkFile("big.bmp", "");
  const int64_t overhead = 1 + 37 + 3; // the kind byte and the record of "big"
  auto atMark = streamOf(0xFFFFFFFF - overhead);
  EXPECT_EQ(atMark->StreamSize(), 0xFFFFFFFF);
  const auto contents = FolderContents(work);
  const std::string error = SaveError(*atMark, path, 2);
  EXPECT_EQ(error, "Soubor nelze uložit: data médií mají 4294967295 bajtů, kontejner jich pojme nejvýše 4294967294.");
  EXPECT_EQ(TTempAppFolder::ReadFile(path), "old");
  EXPECT_EQ(FolderContents(work), contents);

  // Stored, the entry's headers come before the central directory, whose offset must stay below the mark too.
  auto stored = streamOf(0xFFFFFFFF - overhead - 37);
  EXPECT_NE(SaveError(*stored, path, 0).find("nejvýše 4294967257"), std::string::npos);
  EXPECT_EQ(FolderContents(work), contents);
}

TEST_F(Container, LeftoversOfAKilledSaveGoWithTheNextSave) {
  TMediaStream document;
  document.AddFile(WorkFile("a.bmp", "ABC"), mkImages);
  const std::string path = WorkPath("x.tvk");
  const std::string left = WorkFile(".x.tvk.tvk-tmp-77-Q7rT2z", "left by a killed save");
  const std::string otherContainer =
      WorkFile(".y.tvk.tvk-tmp-77-Q7rT2z", "y's save, still running or not: not ours to judge");
  const std::string users = WorkFile(".x.tvk.Q7rT2z", "the user's own, named like the old leftovers");
  SaveContainer(document, mkImages, path, 2);
  EXPECT_FALSE(std::filesystem::exists(left));
  EXPECT_TRUE(std::filesystem::exists(otherContainer));
  EXPECT_TRUE(std::filesystem::exists(users));
}

TEST_F(Container, SaveAndOpenRememberTheFileToNoticeAnotherProgramsChange) {
  const std::string path = WorkPath("x.tvk");
  TMediaStream document;
  document.AddFile(WorkFile("a.bmp", "ABC"), mkImages);
  EXPECT_FALSE(document.ChangedOnDisk(path)); // never read or saved
  SaveContainer(document, mkImages, path, 2);
  EXPECT_FALSE(document.ChangedOnDisk(path));

  TMediaStream reopened;
  ASSERT_TRUE(LoadContainer(reopened, path));
  EXPECT_FALSE(reopened.ChangedOnDisk(path));
  document.AddFile(WorkFile("b.bmp", "DE"), mkImages);
  SaveContainer(document, mkImages, path, 2); // another program (here: another document) replaces the file
  EXPECT_TRUE(reopened.ChangedOnDisk(path));
  EXPECT_FALSE(reopened.ChangedOnDisk(WorkPath("other.tvk")));
  SaveContainer(reopened, mkImages, path, 2); // saved anyway: from now on this is the file it knows
  EXPECT_FALSE(reopened.ChangedOnDisk(path));
  std::filesystem::remove(path);
  EXPECT_FALSE(reopened.ChangedOnDisk(path));
}

TEST_F(Container, TwoEntriesNamedMediaMAreRefused) {
  const std::string stream(1, '\0');
  TZip zip;
  zip.AddEntry("Media.m", stream.data(), 0, 1);
  TMemoryStream first;
  zip.WriteTo(first);
  // The same archive with its one entry listed twice in the directory.
  std::string bytes(reinterpret_cast<const char *>(first.Memory()), static_cast<std::size_t>(first.Size()));
  const std::size_t directory = bytes.size() - 22 - (46 + 7);
  std::string twice = bytes.substr(0, directory) + bytes.substr(directory, 53) + bytes.substr(directory, 53);
  std::string end = bytes.substr(bytes.size() - 22);
  end[8] = end[10] = 2;
  end[12] = static_cast<char>(106);
  twice += end;
  TMediaStream document;
  try {
    LoadContainer(document, WorkFile("twice.tvk", twice));
    FAIL() << "opened a container with two media entries";
  } catch (const EZipError &error) {
    EXPECT_NE(std::string(error.what()).find("více položek „Media.m“"), std::string::npos) << error.what();
  }
}
