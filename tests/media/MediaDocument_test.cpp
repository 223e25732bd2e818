// The media document: the worked media stream, the extension gate, the backing file and its collision rule.
#include "media/MediaDocument.h"

#include "platform/Exceptions.h"
#include "platform/Progress.h"
#include "platform/Streams.h"
#include "support/Environment.h"
#include "support/PipeFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
const std::string imageConfig = "[ImageFileExts]\nCount=2\nExt0=.BMP\nExt1=.JPG\n[SoundFileExts]\nCount=1\nExt0=.WAV\n";

std::string Bytes(TMemoryStream &stream) {
  return std::string(reinterpret_cast<const char *>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

std::string Assembled(TMediaStream &document, TMediaKind kind) {
  TMemoryStream stream;
  document.Assemble(stream, kind);
  return Bytes(stream);
}

TMemoryStream StreamOf(const std::string &bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return stream;
}

class MediaDocument : public ::testing::Test {
protected:
  TTempAppFolder app;
  TScriptedPrompt prompt;
  void SetUp() override { app.WriteFile("config.ini", imageConfig); }
};

const std::string worked42 = std::string("\x00" "\x03\x00\x00\x00\x00\x00\x00\x00" "\x01" "a"
                                         "\x04.BMP\x00" "\x01" "\x00\x00\x00\x00" "\x00", 23) +
                             std::string(16, '\0') + "ABC";
} // namespace

TEST_F(MediaDocument, AssemblesTheWorkedExampleByteForByte) {
  TMediaStream document;
  ASSERT_TRUE(document.AddFile(app.WriteFile("a.bmp", "ABC"), mkImages));
  EXPECT_TRUE(prompt.Questions.empty());
  const std::string bytes = Assembled(document, mkImages);
  ASSERT_EQ(bytes.size(), 42u);
  EXPECT_EQ(bytes, worked42);

  TMediaStream sounds;
  ASSERT_TRUE(sounds.AddFile(app.WriteFile("a.wav", "ABC"), mkSounds));
  EXPECT_EQ(Assembled(sounds, mkSounds).size(), 30u);
}

TEST_F(MediaDocument, EmptyDocumentIsTheKindByteAlone) {
  TMediaStream document;
  EXPECT_EQ(Assembled(document, mkImages), std::string(1, '\0'));
  EXPECT_EQ(Assembled(document, mkSounds), std::string(1, '\1'));
}

TEST_F(MediaDocument, ExtensionGateAsksWithTheExactText) {
  TMediaStream document;
  EXPECT_FALSE(document.AddFile(app.WriteFile("pic.xyz", "1"), mkImages));
  EXPECT_FALSE(document.AddFile(app.WriteFile("README", "1"), mkImages));
  prompt.QueueAnswer(true);
  EXPECT_TRUE(document.AddFile(app.WriteFile("clip.jpeg", "1"), mkImages));
  EXPECT_TRUE(document.AddFile(app.WriteFile("pic.bmp", "1"), mkImages));
  ASSERT_EQ(prompt.Questions.size(), 3u);
  EXPECT_EQ(prompt.Questions[0], "Přípona .XYZ není v seznamu!\rOpravdu chcete soubor přidat?");
  EXPECT_EQ(prompt.Questions[1], "Přípona  není v seznamu!\rOpravdu chcete soubor přidat?");
  EXPECT_EQ(prompt.Questions[2], "Přípona .JPEG není v seznamu!\rOpravdu chcete soubor přidat?");
  EXPECT_EQ(document.List.Count(), 2);
}

TEST_F(MediaDocument, ExtensionLongerThanAListItemIsNeverListed) {
  app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.MPEG\n");
  TMediaStream document;
  EXPECT_FALSE(document.AddFile(app.WriteFile("clip.mpeg4", "1"), mkImages));
  ASSERT_EQ(prompt.Questions.size(), 1u);
  EXPECT_EQ(prompt.Questions[0], "Přípona .MPEG4 není v seznamu!\rOpravdu chcete soubor přidat?");
}

TEST_F(MediaDocument, AddingAMissingFileAddsNothing) {
  TMediaStream document;
  EXPECT_THROW(document.AddFile(app.File("missing.bmp"), mkImages), EFOpenError);
  EXPECT_EQ(document.List.Count(), 0);
}

TEST_F(MediaDocument, SourceFileWhoseSizeChangedFailsTheAssemblyNamingIt) {
  TMediaStream document;
  const std::string path = app.WriteFile("a.bmp", "ABC");
  document.AddFile(path, mkImages);
  app.WriteFile("a.bmp", "ABCD");
  TMemoryStream target;
  try {
    document.Assemble(target, mkImages);
    FAIL() << "a grown source file must not be assembled";
  } catch (const Exception &error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
  app.WriteFile("a.bmp", "AB");
  EXPECT_THROW(document.Assemble(target, mkImages), Exception);
}

TEST_F(MediaDocument, ReadingKeepsTheStreamInTheBackingFileUntilDestroyed) {
  std::string path;
  {
    TMediaStream document;
    TMemoryStream source = StreamOf(worked42);
    TMediaKind kind = 9;
    document.ReadMediaStream(source, kind);
    EXPECT_EQ(kind, mkImages);
    path = BackingFilePath();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(TTempAppFolder::ReadFile(path), worked42);
    ASSERT_EQ(document.List.Count(), 1);
    EXPECT_TRUE(document.List.Items()[0]->SourcePath.empty());
    EXPECT_EQ(document.List.Items()[0]->Offset, 39);
    EXPECT_EQ(Assembled(document, mkImages), worked42);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(MediaDocument, BackingAndSourceEntriesAreWrittenInListOrder) {
  TMediaStream document;
  TMemoryStream source = StreamOf(worked42);
  TMediaKind kind;
  document.ReadMediaStream(source, kind);
  document.AddFile(app.WriteFile("b.bmp", "XY"), mkImages);
  document.Exchange(0, 1);
  const std::string bytes = Assembled(document, mkImages);
  ASSERT_EQ(bytes.size(), 42u + 37 + 1 + 2);
  EXPECT_EQ(bytes.substr(39, 2), "XY"); // the new entry's data comes first now
  EXPECT_EQ(bytes.substr(41), worked42.substr(1)); // then the entry kept in the backing file
}

TEST_F(MediaDocument, ZeroSizeEntriesAreRecordsAlone) {
  TMediaStream document;
  document.AddFile(app.WriteFile("empty.bmp", ""), mkImages);
  document.AddFile(app.WriteFile("a.bmp", "ABC"), mkImages);
  document.AddFile(app.WriteFile("z.bmp", ""), mkImages);
  const std::string bytes = Assembled(document, mkImages);
  EXPECT_EQ(bytes.size(), 1u + (37 + 5) + (37 + 1 + 3) + (37 + 1));

  TMediaStream reread;
  TMemoryStream source = StreamOf(bytes);
  TMediaKind kind;
  reread.ReadMediaStream(source, kind);
  ASSERT_EQ(reread.List.Count(), 3);
  EXPECT_EQ(reread.List.Items()[0]->Size, 0);
  EXPECT_EQ(Assembled(reread, mkImages), bytes);
}

TEST_F(MediaDocument, DamagedStreamLeavesTheDocumentEmpty) {
  TMediaStream document;
  TMemoryStream source = StreamOf(worked42.substr(0, 41));
  TMediaKind kind;
  EXPECT_THROW(document.ReadMediaStream(source, kind), Exception);
  EXPECT_EQ(document.List.Count(), 0);
}

TEST_F(MediaDocument, StaleBackingFileIsDeletedByTheNextDocument) {
  const std::string stale = app.WriteFile(BackingFilePath().substr(app.Path().string().size() + 1), "old");
  const std::string before = TempFileName();
  TMediaStream document;
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_EQ(TempFileName(), before);
}

namespace {
#ifndef _WIN32
// "/TempN.tmp" with N of one to six digits: the collision rule's names never grow.
bool IsFallbackName(const std::string &name) {
  if (name.size() < 10 || name.size() > 15 || name.rfind("/Temp", 0) != 0 || name.substr(name.size() - 4) != ".tmp")
    return false;
  const std::string digits = name.substr(5, name.size() - 9);
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A second editor in another process: it reads a media stream (so it holds its backing file), reports the
// file's path through the pipe, and keeps it until told to finish.
struct TOtherEditor {
  pid_t pid = -1;
  int toParent[2], toChild[2];
  std::string backingPath;

  void Start(const std::string &stream) {
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 1;
      try {
        TMediaStream document;
        TMemoryStream source = StreamOf(stream);
        TMediaKind kind;
        document.ReadMediaStream(source, kind);
        const std::string path = BackingFilePath();
        (void)!::write(toParent[1], path.data(), path.size());
        ::close(toParent[1]);
        char go;
        (void)!::read(toChild[0], &go, 1);
        status = TTempAppFolder::ReadFile(path) == stream ? 0 : 3;
      } catch (...) {
      }
      ::_exit(status);
    }
    ::close(toParent[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(toParent[0], buffer, sizeof buffer)) > 0)
      backingPath.append(buffer, static_cast<std::size_t>(n));
  }
  // Lets the other editor close; returns its exit status (0: its backing file was never touched).
  int Finish() {
    (void)!::write(toChild[1], "x", 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};
#endif
} // namespace

TEST_F(MediaDocument, TwoProcessesNeverShareOrDeleteEachOthersBackingFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the other editor is a forked copy of this test";
#else
  TOtherEditor other;
  other.Start(worked42);
  ASSERT_EQ(other.backingPath, BackingFilePath());

  {
    TMediaStream document; // the held file cannot go: this process moves on to another name
    EXPECT_TRUE(std::filesystem::exists(other.backingPath));
    TMemoryStream source = StreamOf(std::string(1, '\1'));
    TMediaKind kind;
    document.ReadMediaStream(source, kind);
    EXPECT_NE(BackingFilePath(), other.backingPath);
    EXPECT_TRUE(std::filesystem::exists(BackingFilePath()));
    EXPECT_TRUE(IsFallbackName(TempFileName())) << TempFileName();
    EXPECT_EQ(kind, mkSounds);
  }
  EXPECT_EQ(other.Finish(), 0);
  EXPECT_FALSE(std::filesystem::exists(other.backingPath));
#endif
}

TEST_F(MediaDocument, AClaimRaceNeverTruncatesTheOtherDocumentsFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the other editor is a forked copy of this test";
#else
  TMediaStream document; // constructed while the name is still free
  TOtherEditor other;
  other.Start(worked42); // the other process takes the same name first
  TMemoryStream source = StreamOf(std::string(1, '\0'));
  TMediaKind kind;
  document.ReadMediaStream(source, kind);
  EXPECT_NE(BackingFilePath(), other.backingPath);
  EXPECT_EQ(other.Finish(), 0);
#endif
}

namespace {
// The error text of adding path, or "" when it was added.
std::string AddError(TMediaStream &document, const std::string &path) {
  try {
    document.AddFile(path, mkImages);
  } catch (const Exception &error) {
    return error.what();
  }
  return "";
}
} // namespace

TEST_F(MediaDocument, SourcesThatAreNoRegularFilesAreRefusedBeforeTheyAreOpened) {
  const TPipeFile pipe(app.Path().string(), "pipe.bmp");
  const std::string fifo = pipe.Path();
  std::filesystem::create_directory(app.File("folder.bmp"));
  TMediaStream document;
  const std::vector<std::pair<std::string, std::string>> refused{
#ifdef _WIN32
      {fifo, "roura"}, {app.File("folder.bmp"), "složka"}, {"NUL", "zařízení"}};
#else
      {fifo, "roura"}, {app.File("folder.bmp"), "složka"}, {"/dev/null", "zařízení"}, {"/proc/self/status", "/proc"}};
#endif
  for (const auto &[path, kind] : refused) {
    const std::string error = AddError(document, path); // a FIFO would block here for ever if it were opened
    EXPECT_NE(error.find("\"" + path + "\""), std::string::npos) << error;
    EXPECT_NE(error.find(kind), std::string::npos) << error;
  }
  EXPECT_EQ(document.List.Count(), 0);
  EXPECT_TRUE(prompt.Questions.empty()); // refused before the extension gate asks anything

  document.AddFile(app.WriteFile("a.bmp", "ABC"), mkImages);
  EXPECT_THROW(document.List.ReplaceSourceAt(0, fifo), EFOpenError);
  EXPECT_EQ(document.List.Items()[0]->Size, 3);
}

TEST_F(MediaDocument, NamesWindows1250CannotHoldAreRefusedNamingTheFile) {
  TMediaStream document;
  const std::string japanese = app.WriteFile("画像.bmp", "ABC");
  const std::string emoji = app.WriteFile("tile\xF0\x9F\x98\x80.bmp", "ABC");
  EXPECT_NE(AddError(document, japanese).find("\"画像.bmp\""), std::string::npos) << AddError(document, japanese);
  EXPECT_NE(AddError(document, emoji).find("Windows-1250"), std::string::npos);
#ifndef _WIN32 // names there are UTF-16: none can hold bytes that are no UTF-8
  const std::string broken = app.WriteFile("bad\xFFname.bmp", "ABC");
  EXPECT_NE(AddError(document, broken).find("bad\\xffname.bmp"), std::string::npos) << AddError(document, broken);
#endif
  EXPECT_EQ(document.List.Count(), 0);
  EXPECT_TRUE(prompt.Questions.empty());
  EXPECT_EQ(AddError(document, app.WriteFile("žluťoučký kůň.bmp", "ABC")), ""); // Czech fits
  EXPECT_EQ(document.List.Items()[0]->Name, "\x9elu\x9dou\xe8k\xfd k\xf9\xf2");
}

TEST_F(MediaDocument, AThousandOpensKeepTheBackingNameShort) {
  // Each Open reads into a new document while the shown one still holds its backing file.
  auto shown = std::make_unique<TMediaStream>();
  for (int open = 0; open < 1000; ++open) {
    auto loaded = std::make_unique<TMediaStream>();
    TMemoryStream source = StreamOf(worked42);
    TMediaKind kind;
    loaded->ReadMediaStream(source, kind);
    shown = std::move(loaded);
    ASSERT_LE(TempFileName().size(), std::string("/Temp999999.tmp").size()) << TempFileName();
  }
  EXPECT_EQ(shown->List.Count(), 1);
  shown.reset();
  std::size_t left = 0;
  for (const auto &file : std::filesystem::directory_iterator(app.Path()))
    left += file.path().extension() == ".tmp";
  EXPECT_EQ(left, 0u);
}

TEST_F(MediaDocument, LeftBackingFilesGoWhenUnlockedAndStayWhileHeld) {
  TMediaStream holder;
  TMemoryStream source = StreamOf(worked42);
  TMediaKind kind;
  holder.ReadMediaStream(source, kind); // holds Temp.tmp
  const std::string held = BackingFilePath();
  const std::string left = app.WriteFile("Temp4711.tmp", "left by a killed editor");
  const std::string foreign = app.WriteFile("Temp4711.tmp.bak", "not ours");
  const std::string other = app.WriteFile("Tempo.tmp", "not ours either");
  TMediaStream next;
  EXPECT_FALSE(std::filesystem::exists(left));
  EXPECT_TRUE(std::filesystem::exists(held));
  EXPECT_TRUE(std::filesystem::exists(foreign));
  EXPECT_TRUE(std::filesystem::exists(other));
}

TEST_F(MediaDocument, ANewDocumentNeverNeedsTheBackingFolder) {
  // No app folder to write in, and the private folder cannot be made (a file stands where its parent should):
  // only reading a container needs a backing file, so only that fails.
  const std::string blocker = app.WriteFile("not-a-folder", "");
#ifdef _WIN32
  const std::string stateHome = "LOCALAPPDATA"; // set on every Windows: it is put back afterwards
#else
  const std::string stateHome = "XDG_STATE_HOME";
#endif
  const char *previous = std::getenv(stateHome.c_str());
  const std::string previousValue = previous ? previous : "";
  SetEnvironment("TOVRIK_HOME", app.File("missing-home").c_str());
  SetEnvironment(stateHome, blocker.c_str());
  {
    TMediaStream document;
    EXPECT_TRUE(document.AddFile(app.WriteFile("a.bmp", "ABC"), mkImages) || !prompt.Questions.empty());
    TMemoryStream source = StreamOf(worked42);
    TMediaKind kind;
    EXPECT_THROW(document.ReadMediaStream(source, kind), EFCreateError);
  }
  SetEnvironment(stateHome, previous ? previousValue.c_str() : nullptr);
}
