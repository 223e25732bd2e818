// The undo and redo history of a document's entry list: each step keeps copies of the entry records a change took
// out of the list and of those it put in, never the entries' data.
#pragma once

#include "media/FileListItems.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TFileList;

// A copy of an entry record and its zero-based position in the list.
struct TPlacedEntry {
  int Position = 0;
  std::unique_ptr<TFileListItem> Entry;
};

// One change to a list, recorded around it: the entries at Out's positions gave way to those at In's. Out's
// positions count in the list before the change, In's in the list after it; both ascend. A move is its entries
// going out at their old places and coming in at their new ones; an edit is one entry out and its new record in.
class TListChange {
public:
  TListChange() = default;
  // A change as recorded elsewhere (a recovery journal read back).
  TListChange(std::vector<TPlacedEntry> out, std::vector<TPlacedEntry> in, int focusBefore, int focusAfter)
      : out(std::move(out)), in(std::move(in)), focusBefore(focusBefore), focusAfter(focusAfter) {}

  // Copies the entries at these positions (in any order; duplicates and positions outside the list are left out)
  // before the change; focus is the position the user works at then.
  void Before(const TFileList &list, const std::vector<int> &positions, int focus);
  // The same after the change.
  void After(const TFileList &list, const std::vector<int> &positions, int focus);
  // What the change brings along beside the list (what the editor knows of its entries' files): it is told after
  // the change was undone (true) or redone (false).
  using TAside = std::function<void(bool undone)>;
  void SetAside(TAside aside) { this->aside = std::move(aside); }
  // True when the list ends as it began (nothing went or came, or every entry came back at its place as it was)
  // and nothing beside it changed.
  bool Empty() const;

  // Turns a list as it was before the change into the list after it (Redo) or back (Undo); the list keeps
  // copies, the change its own records. Throws, changing nothing, when the positions do not fit the list.
  void Redo(TFileList &list) const;
  void Undo(TFileList &list) const;

  int FocusBefore() const { return focusBefore; }
  int FocusAfter() const { return focusAfter; }
  const std::vector<TPlacedEntry> &Out() const { return out; }
  const std::vector<TPlacedEntry> &In() const { return in; }

private:
  std::vector<TPlacedEntry> out, in;
  TAside aside;
  int focusBefore = -1, focusAfter = -1;
};

// Told of every step the history takes once it has taken it: a recovery journal keeps them on disk.
class THistoryListener {
public:
  virtual ~THistoryListener() = default;
  // joined: the change became part of the step before (a group went on).
  virtual void Recorded(const TListChange &change, bool joined) = 0;
  // Undo (back) or Redo of a whole step.
  virtual void Stepped(bool back) = 0;
};

// The steps of changes a document went through, the current point among them and the point it was saved at.
class TUndoHistory {
public:
  // The oldest steps go beyond this many.
  static constexpr std::size_t MaxSteps = 1000;

  // Keeps the change as the step after the current point; the steps undone before it are dropped, and with them
  // the saved point when it lay among them. An empty change is no step. Inside a group the changes after the
  // group's first join its step.
  void Record(TListChange change);
  // Between BeginGroup and EndGroup (which nest), everything recorded is undone and redone as one step.
  void BeginGroup();
  void EndGroup();

  bool CanUndo() const { return done > 0; }
  bool CanRedo() const { return done < steps.size(); }
  // Takes the list back before the last step done and returns where the user worked then (-1 when unknown).
  // A list that no longer fits the history (changed without it) throws the history's mismatch text and the
  // history is cleared.
  int Undo(TFileList &list);
  // Does the next step undone again and returns where the user worked after it.
  int Redo(TFileList &list);

  // The list as it is now was saved (or opened).
  void MarkSaved() { saved = done; }
  // True when undoing and redoing has led back to the list last saved or opened.
  bool AtSavedPoint() const { return saved == done; }

  // listener (not owned, nullptr for none) hears of the steps from now on.
  void SetListener(THistoryListener *newListener) { listener = newListener; }

private:
  using TStep = std::vector<TListChange>;
  std::deque<TStep> steps;
  std::size_t done = 0;
  // Unset once the saved list can no longer be reached.
  std::optional<std::size_t> saved = 0;
  int groupDepth = 0;
  bool groupHasStep = false;
  THistoryListener *listener = nullptr;

  void Clear();
};

// While it lives, everything the history records forms one step.
class TUndoGroup {
public:
  explicit TUndoGroup(TUndoHistory &history) : history(history) { history.BeginGroup(); }
  ~TUndoGroup() { history.EndGroup(); }
  TUndoGroup(const TUndoGroup &) = delete;
  TUndoGroup &operator=(const TUndoGroup &) = delete;

private:
  TUndoHistory &history;
};
