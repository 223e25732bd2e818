// Recovery of unsaved work across a killed process: the journal of a scripted editor (recovery_child) killed with
// SIGKILL, in the middle of its writes or beside another editor that keeps running.
#include "media/Container.h"
#include "media/DocumentController.h"
#include "media/Recovery.h"
#include "support/ChildProcess.h"
#include "support/MediaSamples.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {
class TRecoveryTest : public ::testing::Test {
protected:
  TRecoveryTest() { app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n"); }

  std::string Container(const std::string &name, int entries) {
    TMediaStream document;
    for (int i = 0; i < entries; ++i)
      document.AddFile(app.WriteFile(name + std::to_string(i) + ".bmp", std::string(10 + i, 'x')), mkImages);
    SaveContainer(document, mkImages, app.File(name + ".tvk"), 0);
    return app.File(name + ".tvk");
  }
  std::vector<std::string> Files(const std::string &stem, int count) {
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i)
      files.push_back(app.WriteFile(stem + std::to_string(i) + ".bmp", std::string(i + 1, 'y')));
    return files;
  }
  std::vector<std::string> Journals() { return JournalFiles(app.Path().string()); }

  TTempAppFolder app;
};

std::vector<std::string> Arguments(std::vector<std::string> first, const std::vector<std::string> &files) {
  first.insert(first.end(), files.begin(), files.end());
  return first;
}
} // namespace

TEST_F(TRecoveryTest, AKillInTheMiddleOfTheWritesRestoresTheLastWholeStepAndATornTailIsLeftOut) {
  const std::string container = Container("base", 3);
  const std::vector<std::string> files = Files("round", 400);
  int lastReported = 0;
  {
    TChildProcess editor(RECOVERY_CHILD, Arguments({"storm", container}, files));
    for (int round = 0; round < 6; ++round)
      lastReported = std::stoi(editor.ReadLine());
    editor.Kill(); // the next round is being written, or about to be
  }
  ASSERT_EQ(Journals().size(), 1u);
  const std::string journal = Journals().front();

  // Cut inside its last record, as a kill during that write leaves it, the journal reads as the step before.
  TJournalContent whole, cut;
  {
    const int handle = ::open(journal.c_str(), O_RDONLY);
    ASSERT_TRUE(ReadJournal(handle, false, whole));
    ::close(handle);
  }
  const std::string copy = app.File("cut.copy");
  std::filesystem::copy_file(journal, copy);
  std::filesystem::resize_file(copy, static_cast<std::uintmax_t>(whole.Length - 100));
  {
    const int handle = ::open(copy.c_str(), O_RDONLY);
    ASSERT_TRUE(ReadJournal(handle, true, cut));
    ::close(handle);
  }
  EXPECT_EQ(cut.Count, whole.Count - 400);
  std::filesystem::remove(copy);

  TScriptedPrompt prompt;
  prompt.QueueRecoveryAnswer(TRecoveryAnswer::Restore);
  TDocumentController controller;
  ASSERT_TRUE(OfferRecovery(controller));
  EXPECT_TRUE(controller.Modified());
  EXPECT_GE(controller.ShownCount(), lastReported);
  EXPECT_EQ((controller.ShownCount() - 3) % 400, 0);
  EXPECT_EQ(controller.Path(), container);
  // Every step came back: undoing them all leads to the container as opened.
  while (controller.Document().History.CanUndo())
    controller.Undo();
  EXPECT_EQ(controller.ShownCount(), 3);
  EXPECT_FALSE(controller.Modified());
}

TEST_F(TRecoveryTest, OnlyTheKilledEditorsWorkIsOfferedAndNeitherCleanupTakesItsBackingFile) {
  const std::string first = Container("first", 2), second = Container("second", 2);
  // A PNG among them: it is converted into the backing file, which the journal must then cover too.
  std::vector<std::string> added = Files("added", 2);
  added.push_back(app.File("soft.png"));
  WritePng(added.back(), SoftEdgedSprite(24));
  TChildProcess killed(RECOVERY_CHILD, Arguments({"edits", first, app.File("first.expected.tvk")}, added));
  TChildProcess running(RECOVERY_CHILD, Arguments({"edits", second, app.File("second.expected.tvk")}, added));
  ASSERT_EQ(killed.ReadLine(), "ready");
  ASSERT_EQ(running.ReadLine(), "ready");
  killed.Kill();
  ASSERT_EQ(Journals().size(), 2u);
  const std::set<std::string> kept = BackingFilesOfJournals(app.Path().string());
  ASSERT_EQ(kept.size(), 2u);

  // tvk's and a new document's stale-file cleanups leave the backing files of both journals.
  ASSERT_EQ(std::system((std::string(TOVRIK_BIN_DIR "/tvk list ") + first + " >/dev/null").c_str()), 0);
  { TMediaStream fresh; }
  for (const std::string &name : kept)
    EXPECT_TRUE(std::filesystem::exists(app.File(name))) << name;

  TScriptedPrompt prompt;
  TDocumentController controller;
  EXPECT_FALSE(OfferRecovery(controller)); // Později
  ASSERT_EQ(prompt.Offers.size(), 1u);
  EXPECT_EQ(prompt.Offers.front().DocumentPath, first);
  EXPECT_EQ(prompt.Offers.front().EntryCount, 4);
  EXPECT_EQ(Journals().size(), 2u);

  prompt.QueueRecoveryAnswer(TRecoveryAnswer::Restore);
  ASSERT_TRUE(OfferRecovery(controller));
  EXPECT_EQ(prompt.Offers.size(), 2u);
  EXPECT_EQ(controller.Path(), first);
  EXPECT_EQ(controller.ShownCount(), 4);
  const std::string restored = app.File("restored.tvk");
  SaveContainer(controller.Document(), controller.Kind(), restored, 0);
  const auto listing = [](const std::string &file) {
    TChildProcess tvk(TOVRIK_BIN_DIR "/tvk", {"list", "--long", file});
    std::string lines, line;
    while (!(line = tvk.ReadLine()).empty())
      lines += line + '\n';
    return lines;
  };
  EXPECT_EQ(listing(restored), listing(app.File("first.expected.tvk")));
  // The running editor's journal is still its own.
  for (const std::string &journal : Journals()) {
    if (journal != controller.JournalPath()) {
      EXPECT_EQ(TJournalClaim::TryClaim(journal), nullptr);
    }
  }
}

// A new document has no backing file until something goes into it: the picture its first addition converts must
// land in one the journal knows.
TEST_F(TRecoveryTest, ANewDocumentsJournalPointsIntoTheBackingFileOfItsConvertedPictures) {
  const std::string png = app.File("soft.png");
  WritePng(png, SoftEdgedSprite(24));
  TDocumentController controller;
  controller.Add({png});
  controller.FlushJournal();
  ASSERT_EQ(Journals().size(), 1u);
  const int handle = ::open(Journals().front().c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(handle, 0);
  TJournalContent content;
  EXPECT_TRUE(ReadJournal(handle, true, content));
  ::close(handle);
  ASSERT_NE(controller.Document().BackingFile(), nullptr);
  EXPECT_EQ(content.Base.BackingPath, controller.Document().BackingFile()->FileName());
}
