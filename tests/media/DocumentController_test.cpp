// The document controller without a window: the commands, the per-entry state, the filter and the row map.
#include "media/DocumentController.h"

#include "media/ItemColumns.h"
#include "platform/MemoryGrid.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {
class DocumentController : public ::testing::Test {
protected:
  TTempAppFolder app;
  TScriptedPrompt prompt;
  std::unique_ptr<TDocumentController> controller;
  TMemoryGrid grid{static_cast<int>(ItemColumns(mkImages).size()), 11};

  void SetUp() override {
    app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n[SoundFileExts]\nCount=1\nExt0=.WAV\n");
    controller = std::make_unique<TDocumentController>();
  }
  // Adds one file per name, each of its own size.
  void AddNamed(const std::vector<std::string> &names) {
    std::vector<std::string> files;
    for (const std::string &name : names)
      files.push_back(app.WriteFile(name, std::string(files.size() + 1, 'x')));
    controller->Add(files);
  }
  // The name cells of the rows the controller shows, as the grid shows them.
  std::vector<std::string> Shown() {
    controller->FillView(grid);
    std::vector<std::string> names;
    for (int row = 1; row <= controller->ShownCount(); ++row)
      names.push_back(grid.GetCell(NameColumnIndex, row));
    return names;
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto &entry : controller->Document().List.Items())
      names.push_back(entry->Name);
    return names;
  }
  using Names = std::vector<std::string>;
};
} // namespace

TEST_F(DocumentController, AddMarkRemoveUndoSaveAndOpenAgain) {
  AddNamed({"a.bmp", "b.bmp", "c.bmp"});
  EXPECT_TRUE(controller->Modified());
  controller->ToggleMarks({2});
  EXPECT_EQ(Shown(), (Names{"a", "* b", "c"}));
  // The mark is the entry's: it goes with it when it moves.
  EXPECT_EQ(controller->MoveUp(grid, 2), 1);
  EXPECT_EQ(Shown(), (Names{"* b", "a", "c"}));
  EXPECT_EQ(controller->Remove().Rows, std::vector<int>{1});
  EXPECT_EQ(Entries(), (Names{"a", "c"}));
  EXPECT_EQ(controller->Undo(), 1);
  EXPECT_EQ(Shown(), (Names{"b", "a", "c"})) << "an entry brought back has lost the mark that removed it";

  const std::string path = app.File("hotovo.tvk");
  ASSERT_TRUE(controller->Save(grid, path));
  EXPECT_FALSE(controller->Modified());
  EXPECT_EQ(controller->Path(), path);
  controller->New(mkSounds);
  EXPECT_EQ(controller->Kind(), mkSounds);
  EXPECT_EQ(controller->ShownCount(), 0);
  ASSERT_TRUE(controller->Open(path));
  EXPECT_EQ(controller->Kind(), mkImages);
  EXPECT_EQ(Entries(), (Names{"b", "a", "c"}));
  EXPECT_FALSE(controller->Modified());
}

TEST_F(DocumentController, ARefusedTextIsAnUnsavedChangeUntilItIsMended) {
  AddNamed({"a.bmp"});
  controller->FillView(grid);
  ASSERT_TRUE(controller->Save(grid, app.File("a.tvk")));
  grid.SetCell(5, 1, "vysoko");
  ASSERT_TRUE(controller->CommitRow(grid, 1).has_value());
  EXPECT_TRUE(controller->Modified());
  EXPECT_EQ(controller->RefusedCells(), (std::vector<std::pair<int, int>>{{5, 1}}));
  TMemoryGrid fresh(grid.GetColCount(), 2);
  controller->FillView(fresh);
  EXPECT_EQ(fresh.GetCell(5, 1), "vysoko") << "a refill keeps showing what the user typed";
  EXPECT_THROW(controller->Save(grid, app.File("a.tvk")), EConvertError);
  grid.SetCell(5, 1, "0");
  EXPECT_FALSE(controller->CommitRow(grid, 1).has_value());
  EXPECT_FALSE(controller->Modified());
}

TEST_F(DocumentController, AnAddedEntryKnowsTheFileItsBytesCameFrom) {
  AddNamed({"a.bmp"});
  const TEntryState &state = controller->StateAt(0);
  ASSERT_TRUE(state.Source.has_value());
  EXPECT_EQ(state.Source->Path, app.File("a.bmp"));
  EXPECT_EQ(state.Source->Size, 1);
  EXPECT_GT(state.Source->ModifiedNs, 0);
  const std::string replacement = app.WriteFile("nova.bmp", "12345");
  ASSERT_TRUE(controller->Update(1, replacement));
  EXPECT_EQ(controller->StateAt(0).Source->Path, replacement);
  EXPECT_EQ(controller->StateAt(0).Source->Size, 5);
}

TEST_F(DocumentController, TheFilterMatchesNameAndExtensionInAnyCaseWithWildcards) {
  AddNamed({"strom01.bmp", "Strom02.bmp", "kámen.bmp", "ŠTĚRK.bmp"});
  controller->SetFilter("strom");
  EXPECT_EQ(Shown(), (Names{"strom01", "Strom02"}));
  controller->SetFilter("s?rom0*2");
  EXPECT_EQ(Shown(), (Names{"Strom02"}));
  controller->SetFilter("štěrk.B");
  EXPECT_EQ(controller->ShownCount(), 1);
  EXPECT_EQ(controller->PositionOfRow(1), 3);
  EXPECT_EQ(controller->RowOfPosition(3), 1);
  EXPECT_EQ(controller->RowOfPosition(0), -1);
  controller->SetFilter("ámen.bm");
  EXPECT_EQ(controller->ShownCount(), 1);
  controller->SetFilter("ж");
  EXPECT_EQ(controller->ShownCount(), 0) << "a character no name can hold matches nothing";
  controller->SetFilter("");
  EXPECT_EQ(controller->ShownCount(), 4);
  EXPECT_FALSE(controller->Filtered());
}

TEST_F(DocumentController, CommandsActOnTheShownEntries) {
  AddNamed({"a1.bmp", "x.bmp", "a2.bmp", "y.bmp", "a3.bmp"});
  controller->SetFilter("a");
  EXPECT_EQ(Shown(), (Names{"a1", "a2", "a3"}));
  // Nahoru puts a2 before the previous shown entry, Dolů a1 after the next one; the hidden ones keep their order.
  EXPECT_EQ(controller->MoveUp(grid, 2), 1);
  EXPECT_EQ(Entries(), (Names{"a2", "a1", "x", "y", "a3"}));
  EXPECT_EQ(controller->MoveDown(grid, 2), 3);
  EXPECT_EQ(Entries(), (Names{"a2", "x", "y", "a3", "a1"}));
  EXPECT_EQ(Shown(), (Names{"a2", "a3", "a1"}));

  // Odebrat takes the marked entries shown; a marked entry the filter hides keeps its mark and stays.
  controller->SetFilter("");
  controller->ToggleMarks({2});
  controller->SetFilter("a");
  controller->ToggleMarks({1});
  const TRemoval removal = controller->Remove();
  EXPECT_EQ(removal.Rows, std::vector<int>{1});
  EXPECT_EQ(removal.HiddenMarked, 1);
  EXPECT_EQ(Entries(), (Names{"x", "y", "a3", "a1"}));
  EXPECT_TRUE(controller->MarkedAt(0));
  EXPECT_EQ(Shown(), (Names{"a3", "a1"}));

  // Add, undo and redo keep the filter and show the new or changed entries that match it.
  AddNamed({"a4.bmp", "z.bmp"});
  EXPECT_EQ(Shown(), (Names{"a3", "a1", "a4"}));
  controller->Undo();
  EXPECT_EQ(Shown(), (Names{"a3", "a1"}));
  EXPECT_EQ(controller->Redo(), -1) << "the last entry added, z, is hidden";
  EXPECT_EQ(Shown(), (Names{"a3", "a1", "a4"}));
  EXPECT_EQ(controller->PositionsOfRows({1, 3, 9}), (std::vector<int>{2, 4}));
}
