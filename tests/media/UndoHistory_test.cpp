// The undo history of an entry list: every kind of change undone and redone, the saved point, groups, the limit,
// and a list that no longer fits.
#include "media/MediaMessages.h"
#include "media/UndoHistory.h"
#include "media/fMediaStream.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
// Entries a.bmp, b.bmp, ... whose sizes tell them apart.
TFileList Letters(int count) {
  TFileList list;
  for (int i = 0; i < count; ++i)
    list.AddImage("/src/" + std::string(1, char('a' + i)) + ".bmp", true, 10 + i, 0, 0, 0, 0, 0, 0);
  return list;
}

std::string Names(const TFileList &list) {
  std::string names;
  for (const auto &item : list.Items())
    names += item->Name;
  return names;
}

// Copies of every record, to compare a list with what it was.
std::vector<std::unique_ptr<TFileListItem>> Copy(const TFileList &list) {
  std::vector<std::unique_ptr<TFileListItem>> copies;
  for (const auto &item : list.Items())
    copies.push_back(item->Clone());
  return copies;
}

::testing::AssertionResult Holds(const TFileList &list, const std::vector<std::unique_ptr<TFileListItem>> &records) {
  if (list.Count() != static_cast<int32_t>(records.size()))
    return ::testing::AssertionFailure() << "the list holds " << Names(list);
  for (std::size_t i = 0; i < records.size(); ++i)
    if (!list.Items()[i]->SameAs(*records[i]))
      return ::testing::AssertionFailure() << "entry " << i << " differs in " << Names(list);
  return ::testing::AssertionSuccess();
}

TImageFileItem &Image(TFileList &list, int position) {
  return static_cast<TImageFileItem &>(*list.Items()[static_cast<std::size_t>(position)]);
}

// One change as a command makes it: the positions it touches before and after, and the work between.
struct TChangeCase {
  const char *Name;
  std::vector<int> Before;
  std::function<void(TFileList &)> Work;
  std::vector<int> After;
};

void Record(TUndoHistory &history, TFileList &list, const std::vector<int> &before,
            const std::function<void(TFileList &)> &work, const std::vector<int> &after, int focus = 0) {
  TListChange change;
  change.Before(list, before, focus);
  work(list);
  change.After(list, after, focus + 1);
  history.Record(std::move(change));
}
} // namespace

TEST(UndoHistory, EveryKindOfChangeIsUndoneAndRedone) {
  const std::vector<TChangeCase> cases = {
      {"add", {}, [](TFileList &list) { list.AddImage("/src/x.bmp", false, 5, 0, 0, 0, 0, 0, 0); list.AddImage("/src/y.bmp", false, 6, 0, 0, 0, 0, 0, 0); }, {5, 6}},
      {"remove", {0, 2, 4}, [](TFileList &list) { list.RemoveAt({4, 0, 2}); }, {}},
      {"exchange", {1, 2}, [](TFileList &list) { list.Exchange(1, 2); }, {1, 2}},
      {"move a block", {0, 1}, [](TFileList &list) { list.Exchange(0, 2); list.Exchange(1, 3); }, {2, 3}},
      {"edit", {3}, [](TFileList &list) { Image(list, 3).PatternWidth = 16; Image(list, 3).TransparentColor = 0xFF; }, {3}},
      {"rename", {0}, [](TFileList &list) { list.Items()[0]->Name = "nové"; }, {0}},
      {"replace the data", {4}, [](TFileList &list) { list.Items()[4]->SourcePath = "/jinde/e.bmp"; list.Items()[4]->Size = 99; }, {4}},
  };
  for (const TChangeCase &change : cases) {
    SCOPED_TRACE(change.Name);
    TFileList list = Letters(5);
    const auto before = Copy(list);
    TUndoHistory history;
    Record(history, list, change.Before, change.Work, change.After);
    const auto after = Copy(list);
    ASSERT_TRUE(history.CanUndo());
    EXPECT_EQ(history.Undo(list), 0);
    EXPECT_TRUE(Holds(list, before));
    EXPECT_FALSE(history.CanUndo());
    ASSERT_TRUE(history.CanRedo());
    EXPECT_EQ(history.Redo(list), 1);
    EXPECT_TRUE(Holds(list, after));
    EXPECT_FALSE(history.CanRedo());
  }
}

TEST(UndoHistory, StepsGoBackInTurnAndAChangeAfterAnUndoDropsTheRest) {
  TFileList list = Letters(3);
  TUndoHistory history;
  Record(history, list, {0, 1}, [](TFileList &l) { l.Exchange(0, 1); }, {0, 1});
  Record(history, list, {2}, [](TFileList &l) { l.RemoveAt({2}); }, {});
  Record(history, list, {}, [](TFileList &l) { l.AddImage("/d.bmp", true, 1, 0, 0, 0, 0, 0, 0); }, {2});
  EXPECT_EQ(Names(list), "bad");
  history.Undo(list);
  EXPECT_EQ(Names(list), "ba");
  history.Undo(list);
  EXPECT_EQ(Names(list), "bac");
  history.Redo(list);
  EXPECT_EQ(Names(list), "ba");

  Record(history, list, {0}, [](TFileList &l) { l.Items()[0]->Name = "x"; }, {0});
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(Names(list), "xa");
  history.Undo(list);
  history.Undo(list);
  history.Undo(list);
  EXPECT_EQ(Names(list), "abc");
  EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistory, TheSavedPointFollowsUndoAndRedoAndIsLostWithADroppedBranch) {
  TFileList list = Letters(2);
  TUndoHistory history;
  EXPECT_TRUE(history.AtSavedPoint());
  Record(history, list, {0}, [](TFileList &l) { Image(l, 0).SkipWidth = 1; }, {0});
  EXPECT_FALSE(history.AtSavedPoint());
  history.Undo(list);
  EXPECT_TRUE(history.AtSavedPoint());
  history.Redo(list);
  history.MarkSaved();
  EXPECT_TRUE(history.AtSavedPoint());
  history.Undo(list);
  EXPECT_FALSE(history.AtSavedPoint());
  history.Redo(list);
  EXPECT_TRUE(history.AtSavedPoint());

  // The saved list lay on the branch the new change drops: no undo or redo reaches it again.
  history.Undo(list);
  Record(history, list, {1}, [](TFileList &l) { Image(l, 1).SkipWidth = 2; }, {1});
  EXPECT_FALSE(history.AtSavedPoint());
  history.Undo(list);
  EXPECT_FALSE(history.AtSavedPoint());
  history.Undo(list);
  EXPECT_FALSE(history.AtSavedPoint());
}

TEST(UndoHistory, AChangeThatChangesNothingIsNoStep) {
  TFileList list = Letters(2);
  TUndoHistory history;
  Record(history, list, {1}, [](TFileList &l) { Image(l, 1).PatternHeight = 0; }, {1});
  Record(history, list, {}, [](TFileList &) {}, {});
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.AtSavedPoint());
}

TEST(UndoHistory, AGroupIsOneStepAndGroupsNest) {
  TFileList list = Letters(3);
  const auto before = Copy(list);
  TUndoHistory history;
  history.BeginGroup();
  Record(history, list, {0}, [](TFileList &l) { Image(l, 0).PatternWidth = 4; }, {0}, 7);
  history.BeginGroup();
  Record(history, list, {1}, [](TFileList &l) { Image(l, 1).PatternWidth = 4; }, {1});
  history.EndGroup();
  Record(history, list, {2}, [](TFileList &l) { l.RemoveAt({2}); }, {}, 3);
  history.EndGroup();
  Record(history, list, {0}, [](TFileList &l) { l.Items()[0]->Name = "z"; }, {0});

  history.Undo(list);
  EXPECT_EQ(Names(list), "ab");
  EXPECT_EQ(history.Undo(list), 7);
  EXPECT_TRUE(Holds(list, before));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.Redo(list), 4);
  EXPECT_EQ(Names(list), "ab");
  EXPECT_EQ(Image(list, 1).PatternWidth, 4);
}

TEST(UndoHistory, OnlyTheNewestStepsAreKept) {
  TFileList list = Letters(1);
  TUndoHistory history;
  for (std::size_t i = 0; i < TUndoHistory::MaxSteps + 5; ++i)
    Record(history, list, {0}, [i](TFileList &l) { Image(l, 0).SkipHeight = static_cast<int32_t>(i + 1); }, {0});
  std::size_t undone = 0;
  while (history.CanUndo()) {
    history.Undo(list);
    ++undone;
  }
  EXPECT_EQ(undone, TUndoHistory::MaxSteps);
  EXPECT_EQ(Image(list, 0).SkipHeight, 5);
  // The opened list is out of reach now.
  EXPECT_FALSE(history.AtSavedPoint());
}

TEST(UndoHistory, AListChangedBehindTheHistorysBackIsLeftAloneAndTheHistoryCleared) {
  TFileList list = Letters(3);
  TUndoHistory history;
  Record(history, list, {1, 2}, [](TFileList &l) { l.Exchange(1, 2); }, {1, 2});
  list.RemoveAt({0, 1});
  try {
    history.Undo(list);
    FAIL() << "the undo went through";
  } catch (const Exception &error) {
    EXPECT_STREQ(error.what(), MediaMessages::HistoryMismatch);
  }
  EXPECT_EQ(Names(list), "b");
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistory, TheListKeepsCopiesSoAStepCanBeDoneAgainAndAgain) {
  TFileList list = Letters(2);
  TUndoHistory history;
  Record(history, list, {0}, [](TFileList &l) { l.RemoveAt({0}); }, {});
  for (int round = 0; round < 3; ++round) {
    history.Undo(list);
    Image(list, 0).PatternWidth = 77; // changed in the list, not in the history's record
    history.Redo(list);
    history.Undo(list);
    EXPECT_EQ(Image(list, 0).PatternWidth, 0);
    history.Redo(list);
  }
  EXPECT_EQ(Names(list), "b");
}
