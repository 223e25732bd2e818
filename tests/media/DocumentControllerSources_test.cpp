// The controller with source files: a document built from a manifest, the sources that changed read again as one
// undoable step, and the document written back as a manifest beside files it must not touch.
#include "media/DocumentController.h"

#include "media/Container.h"
#include "media/FileList.h"
#include "media/ItemColumns.h"
#include "media/Manifest.h"
#include "platform/Files.h"
#include "platform/MemoryGrid.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
namespace fs = std::filesystem;

class ControllerSources : public ::testing::Test {
protected:
  TTempAppFolder app;
  TScriptedPrompt prompt;
  TMemoryGrid grid{static_cast<int>(ItemColumns(mkImages).size()), 11};

  void SetUp() override {
    app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n[SoundFileExts]\nCount=1\nExt0=.WAV\n");
    fs::create_directories(app.Path() / "art");
    app.WriteFile("art/hero.bmp", "hero");
    app.WriteFile("art/tree.bmp", "tree!");
    app.WriteFile("art/rock.bmp", "rock!!");
    app.WriteFile("sprites.toml", "kind = \"images\"\nlevel = 0\noutput = \"out/sprites.tvk\"\n"
                                  "[defaults]\ntransparent = true\n"
                                  "[[entry]]\nsource = \"art/hero.bmp\"\nname = \"hrdina\"\npattern-width = 64\n"
                                  "[[entry]]\nsource = \"art/tree.bmp\"\n"
                                  "[[entry]]\nsource = \"art/rock.bmp\"\n");
  }
  static std::vector<std::string> Names(const TDocumentController &controller) {
    std::vector<std::string> names;
    for (const auto &entry : controller.Document().List.Items())
      names.push_back(entry->Name);
    return names;
  }
  static std::vector<std::vector<std::string>> Rows(const TDocumentController &controller) {
    std::vector<std::vector<std::string>> rows;
    for (const auto &entry : controller.Document().List.Items())
      rows.push_back(GridCells(*entry));
    return rows;
  }
  static int64_t SizeAt(const TDocumentController &controller, int position) {
    return controller.Document().List.Items()[static_cast<std::size_t>(position)]->Size;
  }
};
} // namespace

TEST_F(ControllerSources, AManifestOpensWithSourcesAndChangedOnesAreReadAgainAsOneUndoableStep) {
  TDocumentController controller;
  controller.OpenManifest(app.File("sprites.toml"));
  EXPECT_EQ(Names(controller), (std::vector<std::string>{"hrdina", "tree", "rock"}));
  EXPECT_EQ(controller.ManifestPath(), app.File("sprites.toml"));
  // Compared as paths: what the controller makes from the manifest has the system's own separators.
  EXPECT_EQ(FilePath(controller.Path()), FilePath(app.File("out/sprites.tvk")));
  EXPECT_FALSE(controller.Modified());
  ASSERT_TRUE(controller.StateAt(1).Source);
  EXPECT_EQ(FilePath(controller.StateAt(1).Source->Path), FilePath(app.File("art/tree.bmp")));
  EXPECT_TRUE(controller.ChangedSources().empty());

  // A repainted tree (another size) and a rock saved again with the same bytes (only its time).
  app.WriteFile("art/tree.bmp", "a taller tree");
  fs::last_write_time(app.File("art/rock.bmp"), fs::last_write_time(app.File("art/rock.bmp")) - std::chrono::hours(1));
  EXPECT_EQ(controller.ChangedSources(), (std::vector<int>{1, 2}));

  EXPECT_EQ(controller.ReadChangedAgain(), 2);
  EXPECT_EQ(SizeAt(controller, 1), 13);
  EXPECT_TRUE(controller.ChangedSources().empty());
  EXPECT_TRUE(controller.Modified());

  // One step takes both back, with what the controller knew of their files: they count as changed again.
  controller.Undo();
  EXPECT_EQ(SizeAt(controller, 1), 5);
  EXPECT_EQ(controller.ChangedSources(), (std::vector<int>{1, 2}));
  EXPECT_FALSE(controller.Modified());
  controller.Redo();
  EXPECT_EQ(SizeAt(controller, 1), 13);
  EXPECT_TRUE(controller.ChangedSources().empty());

  // Uložit writes the manifest's output, at its level.
  controller.FillView(grid);
  const std::string notes = app.WriteFile("out/sprites.tvk", "no container");
  EXPECT_THROW(controller.Save(grid, controller.Path()), Exception);
  EXPECT_EQ(TTempAppFolder::ReadFile(notes), "no container");
  fs::remove(notes);
  ASSERT_TRUE(controller.Save(grid, controller.Path()));
  // The bytes tvk build gives for the manifest, so that tvk build --check passes on what the editor saved.
  TMediaStream document;
  LoadManifest(document, app.File("sprites.toml"));
  SaveContainer(document, mkImages, app.File("built.tvk"), 0, {ReproducibleEntryTime()});
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("built.tvk")), TTempAppFolder::ReadFile(app.File("out/sprites.tvk")));
}

TEST_F(ControllerSources, AManifestWrittenBackKeepsEverythingAndWritesOutOnlyNewFiles) {
  // A container's entries have no source file: they are written beside the manifest, under names that are free.
  TDocumentController built;
  built.OpenManifest(app.File("sprites.toml"));
  fs::create_directories(app.Path() / "out");
  built.FillView(grid);
  ASSERT_TRUE(built.Save(grid, built.Path()));
  TDocumentController controller;
  ASSERT_TRUE(controller.Open(app.File("out/sprites.tvk")));
  controller.FillView(grid);
  grid.SetCell(5, 2, "32"); // an edit still in the grid goes into the manifest too
  const std::string users = app.WriteFile("out/tree.BMP", "the user's own tree");

  controller.SaveManifestAs(grid, app.File("out/sprites.toml"));
  EXPECT_EQ(TTempAppFolder::ReadFile(users), "the user's own tree");
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("out/tree~2.BMP")), "tree!");
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("out/hrdina.BMP")), "hero");
  EXPECT_EQ(FilePath(controller.StateAt(1).Source->Path), FilePath(app.File("out/tree~2.BMP")));
  EXPECT_FALSE(controller.Modified());
  const std::string manifest = TTempAppFolder::ReadFile(app.File("out/sprites.toml"));
  EXPECT_NE(manifest.find("output = 'sprites.tvk'"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("source = 'tree~2.BMP'"), std::string::npos) << manifest;

  // Read back, it is the same document: order, names, attributes; and nothing new is written a second time.
  TDocumentController again;
  again.OpenManifest(app.File("out/sprites.toml"));
  EXPECT_EQ(Rows(again), Rows(controller));
  EXPECT_EQ(Rows(again)[1][5], "32");
  again.FillView(grid);
  again.SaveManifestAs(grid, app.File("out/sprites.toml"));
  EXPECT_FALSE(fs::exists(app.File("out/tree~3.BMP")));
}
