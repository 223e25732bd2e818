// Entries written out as files: from the backing file and from source files, names that would leave the
// folder, two entries with one target, and the four answers to an existing file.
#include "media/EntryExport.h"

#include "media/Container.h"
#include "platform/Exceptions.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {
class EntryExport : public ::testing::Test {
protected:
  TTempAppFolder app;
  TScriptedPrompt prompt;
  void SetUp() override {
    app.WriteFile("config.ini", "[ImageFileExts]\nCount=2\nExt0=.BMP\nExt1=.DIB\n[SoundFileExts]\nCount=0\n");
  }
  std::string Out() const { return app.File("out"); }
  std::string ReadOut(const std::string &name) const { return TTempAppFolder::ReadFile(fs::path(Out()) / name); }
};
} // namespace

TEST_F(EntryExport, WritesBackingAndSourceEntriesAsNamePlusExtension) {
  TMediaStream saved;
  saved.AddFile(app.WriteFile("a.bmp", "AAAA"), mkImages);
  saved.AddFile(app.WriteFile("a.dib", "DIB!"), mkImages);
  SaveContainer(saved, mkImages, app.File("hra.tvk"), 2);

  TMediaStream document;
  ASSERT_EQ(LoadContainer(document, app.File("hra.tvk")), std::optional<uint8_t>(mkImages));
  document.AddFile(app.WriteFile("prazdny.bmp", ""), mkImages);
  const TExportResult result = ExportEntries(document, PlanExport(document.List, {}), Out(), TExistingFiles::Ask);
  EXPECT_EQ(result.Written, 3);
  EXPECT_EQ(ReadOut("a.BMP"), "AAAA");
  EXPECT_EQ(ReadOut("a.DIB"), "DIB!");
  EXPECT_EQ(ReadOut("prazdny.BMP"), "");
  EXPECT_TRUE(prompt.Questions.empty());

  // Only the chosen positions, in the order given.
  fs::remove_all(Out());
  const auto plan = PlanExport(document.List, {1});
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0].FileName, "a.DIB");
  ExportEntries(document, plan, Out(), TExistingFiles::Ask);
  EXPECT_FALSE(fs::exists(fs::path(Out()) / "a.BMP"));
}

TEST_F(EntryExport, ANameThatWouldLeaveTheFolderRefusesTheWholeExport) {
  TMediaStream document;
  document.AddFile(app.WriteFile("dobry.bmp", "1"), mkImages);
  document.AddFile(app.WriteFile("zly.bmp", "2"), mkImages);
  for (const std::string bad : {"../../etc/passwd", "a/b", "a\\b", ".."}) {
    document.List.Items()[1]->Name = bad;
    document.List.Items()[1]->Ext = TExtString("");
    try {
      PlanExport(document.List, {});
      FAIL() << bad;
    } catch (const Exception &error) {
      EXPECT_NE(std::string(error.what()).find("nelze bezpečně zapsat"), std::string::npos) << error.what();
    }
  }
  EXPECT_FALSE(fs::exists(Out()));
}

TEST_F(EntryExport, TwoEntriesWithOneTargetAreRefused) {
  TMediaStream document;
  document.AddFile(app.WriteFile("x/tile.bmp", "1"), mkImages);
  document.AddFile(app.WriteFile("y/tile.bmp", "2"), mkImages);
  EXPECT_THROW(PlanExport(document.List, {}), Exception);
  EXPECT_NO_THROW(PlanExport(document.List, {0}));
}

TEST_F(EntryExport, ExistingFilesAreReplacedOnlyWhenTheUserSaysSo) {
  TMediaStream document;
  for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
    document.AddFile(app.WriteFile(std::string("src/") + name, std::string("nove ") + name), mkImages);
  const auto plan = PlanExport(document.List, {});
  fs::create_directories(Out());
  for (const char *name : {"a.BMP", "b.BMP", "c.BMP"})
    app.WriteFile(std::string("out/") + name, "stare");

  prompt.QueueOverwriteAnswer(TOverwriteAnswer::No);
  prompt.QueueOverwriteAnswer(TOverwriteAnswer::YesToAll);
  TExportResult result = ExportEntries(document, plan, Out(), TExistingFiles::Ask);
  EXPECT_EQ(result.Written, 2);
  EXPECT_EQ(result.Skipped, 1);
  EXPECT_EQ(prompt.Questions.size(), 2u) << "Ano všem asks no more";
  EXPECT_NE(prompt.Questions[0].find("a.BMP již existuje"), std::string::npos) << prompt.Questions[0];
  EXPECT_EQ(ReadOut("a.BMP"), "stare");
  EXPECT_EQ(ReadOut("b.BMP"), "nove b.bmp");
  EXPECT_EQ(ReadOut("c.BMP"), "nove c.bmp");

  for (const char *name : {"a.BMP", "b.BMP", "c.BMP"})
    app.WriteFile(std::string("out/") + name, "stare");
  prompt.QueueOverwriteAnswer(TOverwriteAnswer::Yes);
  prompt.QueueOverwriteAnswer(TOverwriteAnswer::Cancel);
  result = ExportEntries(document, plan, Out(), TExistingFiles::Ask);
  EXPECT_TRUE(result.Cancelled);
  EXPECT_EQ(ReadOut("a.BMP"), "nove a.bmp");
  EXPECT_EQ(ReadOut("b.BMP"), "stare");
  EXPECT_EQ(ReadOut("c.BMP"), "stare");

  EXPECT_THROW(ExportEntries(document, plan, Out(), TExistingFiles::Refuse), Exception);
  EXPECT_EQ(ReadOut("a.BMP"), "nove a.bmp");
}

TEST_F(EntryExport, ALinkAtTheTargetIsReplacedNotFollowed) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links on Windows need a privilege of their own";
#endif
  TMediaStream document;
  document.AddFile(app.WriteFile("a.bmp", "obsah"), mkImages);
  const std::string victim = app.WriteFile("cizi.txt", "nedotknutelne");
  fs::create_directories(Out());
  fs::create_symlink(victim, fs::path(Out()) / "a.BMP");
  prompt.QueueOverwriteAnswer(TOverwriteAnswer::Yes);
  ExportEntries(document, PlanExport(document.List, {}), Out(), TExistingFiles::Ask);
  EXPECT_FALSE(fs::is_symlink(fs::path(Out()) / "a.BMP"));
  EXPECT_EQ(ReadOut("a.BMP"), "obsah");
  EXPECT_EQ(TTempAppFolder::ReadFile(victim), "nedotknutelne");
}
