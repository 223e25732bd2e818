// The undo and redo history of a document's entry list: recording changes, undoing and redoing them.
#include "media/UndoHistory.h"

#include "media/FileList.h"
#include "media/MediaMessages.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <stdexcept>

namespace {
std::vector<TPlacedEntry> CopiesAt(const TFileList &list, std::vector<int> positions) {
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  std::vector<TPlacedEntry> copies;
  for (const int position : positions)
    if (position >= 0 && position < list.Count())
      copies.push_back({position, list.Items()[static_cast<std::size_t>(position)]->Clone()});
  return copies;
}

// Takes the entries at leaving's positions out of the list and puts copies of coming's in at theirs.
void Splice(TFileList &list, const std::vector<TPlacedEntry> &leaving, const std::vector<TPlacedEntry> &coming) {
  std::vector<int> positions;
  for (const TPlacedEntry &entry : leaving)
    positions.push_back(entry.Position);
  std::vector<std::pair<int, std::unique_ptr<TFileListItem>>> copies;
  for (const TPlacedEntry &entry : coming)
    copies.emplace_back(entry.Position, entry.Entry->Clone());
  try {
    list.Splice(positions, std::move(copies));
  } catch (const std::out_of_range &) {
    throw Exception(Translated(MediaMessages::HistoryMismatch));
  }
}
} // namespace

void TListChange::Before(const TFileList &list, const std::vector<int> &positions, int focus) {
  out = CopiesAt(list, positions);
  focusBefore = focus;
}

void TListChange::After(const TFileList &list, const std::vector<int> &positions, int focus) {
  in = CopiesAt(list, positions);
  focusAfter = focus;
}

bool TListChange::Empty() const {
  return !aside && std::equal(out.begin(), out.end(), in.begin(), in.end(), [](const TPlacedEntry &a, const TPlacedEntry &b) {
    return a.Position == b.Position && a.Entry->SameAs(*b.Entry);
  });
}

void TListChange::Redo(TFileList &list) const {
  Splice(list, out, in);
  if (aside)
    aside(false);
}

void TListChange::Undo(TFileList &list) const {
  Splice(list, in, out);
  if (aside)
    aside(true);
}

void TUndoHistory::Record(TListChange change) {
  if (change.Empty())
    return;
  if (groupDepth > 0 && groupHasStep) {
    steps.back().push_back(std::move(change));
    if (listener)
      listener->Recorded(steps.back().back(), true);
    return;
  }
  steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(done), steps.end());
  if (saved && *saved > done)
    saved.reset();
  steps.emplace_back().push_back(std::move(change));
  ++done;
  groupHasStep = groupDepth > 0;
  if (steps.size() > MaxSteps) {
    steps.pop_front();
    --done;
    if (saved)
      saved = *saved == 0 ? std::nullopt : std::optional<std::size_t>(*saved - 1);
  }
  if (listener)
    listener->Recorded(steps.back().back(), false);
}

void TUndoHistory::BeginGroup() {
  if (groupDepth++ == 0)
    groupHasStep = false;
}

void TUndoHistory::EndGroup() {
  if (groupDepth > 0 && --groupDepth == 0)
    groupHasStep = false;
}

int TUndoHistory::Undo(TFileList &list) {
  if (!CanUndo())
    return -1;
  groupHasStep = false;
  const TStep &step = steps[done - 1];
  try {
    for (auto change = step.rbegin(); change != step.rend(); ++change)
      change->Undo(list);
  } catch (...) {
    Clear();
    throw;
  }
  --done;
  if (listener)
    listener->Stepped(true);
  return step.front().FocusBefore();
}

int TUndoHistory::Redo(TFileList &list) {
  if (!CanRedo())
    return -1;
  groupHasStep = false;
  const TStep &step = steps[done];
  try {
    for (const TListChange &change : step)
      change.Redo(list);
  } catch (...) {
    Clear();
    throw;
  }
  ++done;
  if (listener)
    listener->Stepped(false);
  return step.back().FocusAfter();
}

void TUndoHistory::Clear() {
  steps.clear();
  done = 0;
  saved.reset();
}
