// The document as the editor holds it, without any window: the commands, the per-entry state, the filter and the
// map between rows and positions.
#include "media/DocumentController.h"

#include "config/ExtList.h"
#include "media/Container.h"
#include "media/EntryName.h"
#include "media/ItemColumns.h"
#include "media/MediaMessages.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/TextGrid.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <exception>

namespace {
std::optional<TEntrySource> SourceOf(const std::string &file) {
  const std::optional<TFileIdentity> identity = IdentityOf(file);
  if (!identity)
    return std::nullopt;
  return TEntrySource{file, identity->Size, identity->ModifiedNs};
}
} // namespace

TDocumentController::TDocumentController() : document(std::make_unique<TMediaStream>()) {}

TDocumentController::~TDocumentController() = default;

bool TDocumentController::Modified() const {
  if (!document->History.AtSavedPoint())
    return true;
  return std::any_of(states.begin(), states.end(), [](const auto &state) { return !state.second.RefusedTexts.empty(); });
}

void TDocumentController::New(TMediaKind newKind) {
  // The old document goes first, so that its backing file is free for the new one.
  document.reset();
  document = std::make_unique<TMediaStream>();
  kind = newKind;
  path.clear();
  Replaced();
}

bool TDocumentController::Open(const std::string &containerPath) {
  // The container is read into a document of its own, and the one shown is dropped only once that succeeded:
  // after an empty or damaged file the rows still on screen keep their entries, so a save cannot write an
  // empty container in their place. (The new document's backing file takes another name meanwhile.)
  auto loaded = std::make_unique<TMediaStream>();
  const std::optional<uint8_t> loadedKind = LoadContainer(*loaded, containerPath);
  if (!loadedKind)
    return false;
  document = std::move(loaded);
  kind = *loadedKind;
  path = containerPath;
  Replaced();
  return true;
}

bool TDocumentController::Save(TTextGrid &grid, const std::string &containerPath) {
  // Also a save in place asks first when another program changed the file since it was opened or saved here.
  if (document->ChangedOnDisk(containerPath) && !Prompt().AskYesNo(Translated(MediaMessages::ChangedOnDisk)))
    return false;
  TakeOverShownRows(grid);
  // The container is written beside the target and replaces it only when complete: a failed or cancelled save
  // keeps the old file.
  SaveContainer(*document, kind, containerPath, ReadCompressionLevel());
  path = containerPath;
  document->History.MarkSaved();
  Changed();
  return true;
}

void TDocumentController::Record(const std::vector<int> &before, int focusBefore,
                                 const std::function<std::vector<int>()> &work,
                                 const std::function<int()> &focusAfter) {
  TFileList &list = document->List;
  TListChange change;
  change.Before(list, before, focusBefore);
  std::vector<int> after;
  try {
    after = work();
  } catch (...) {
    // What the work did before it failed stays, and is a step like any other.
    change.After(list, after.empty() ? before : after, focusAfter());
    document->History.Record(std::move(change));
    Changed();
    throw;
  }
  change.After(list, after, focusAfter());
  document->History.Record(std::move(change));
  Changed();
}

std::vector<int> TDocumentController::Add(const std::vector<std::string> &files) {
  TFileList &list = document->List;
  const int first = list.Count();
  const auto added = [&] {
    std::vector<int> positions;
    for (int position = first; position < list.Count(); ++position)
      positions.push_back(position);
    return positions;
  };
  const auto showAdded = [&] {
    std::vector<int> rows;
    for (int position = first; position < list.Count(); ++position) {
      if (filter.Matches(*list.Items()[static_cast<std::size_t>(position)])) {
        if (Filtered())
          shown.push_back(position);
        rows.push_back(RowOfPosition(position));
      }
    }
    return rows;
  };
  // The files added before one that fails stay, are recorded and are shown; then the failure is reported.
  std::exception_ptr failure;
  Record({}, -1, [&] {
    try {
      for (const std::string &file : files)
        if (document->AddFile(file, kind))
          MutableStateAt(list.Count() - 1).Source = SourceOf(file);
    } catch (...) {
      failure = std::current_exception();
    }
    return added();
  }, [&] { return list.Count() - 1; });
  std::vector<int> rows = showAdded();
  if (failure)
    std::rethrow_exception(failure);
  return rows;
}

TRemoval TDocumentController::Remove() {
  TRemoval removal;
  std::vector<int> positions;
  const int count = document->List.Count();
  for (int position = 0; position < count; ++position) {
    if (!MarkedAt(position))
      continue;
    const int row = RowOfPosition(position);
    if (row < 0) {
      ++removal.HiddenMarked;
      continue;
    }
    positions.push_back(position);
    removal.Rows.push_back(row);
  }
  if (positions.empty())
    return removal;
  for (const int position : positions) {
    // Brought back by Zpět, the entries come without the mark that removed them.
    TEntryState &state = MutableStateAt(position);
    state.Marked = false;
    state.RefusedTexts.clear();
  }
  Record(positions, positions.front(), [&] {
    document->RemoveAt(positions);
    return std::vector<int>{};
  }, [&] { return std::min(positions.front(), document->List.Count() - 1); });
  if (Filtered()) {
    // The shown entries after a removed one move up by as many places as were removed before them.
    std::vector<int> kept;
    kept.reserve(shown.size() - positions.size());
    std::size_t removedBefore = 0;
    for (const int position : shown) {
      while (removedBefore < positions.size() && positions[removedBefore] < position)
        ++removedBefore;
      if (removedBefore < positions.size() && positions[removedBefore] == position)
        continue;
      kept.push_back(position - static_cast<int>(removedBefore));
    }
    shown = std::move(kept);
  }
  return removal;
}

void TDocumentController::TakeOverShownRows(const TTextGrid &grid) {
  const TUndoGroup group(document->History);
  for (int row = 1; row <= ShownCount() && row < grid.GetRowCount(); ++row) {
    const int position = PositionOfRow(row);
    Record({position}, position, [&] {
      document->List.TakeOverRowInto(grid, kind, row, position);
      return std::vector<int>{position};
    }, [position] { return position; });
  }
}

int TDocumentController::MoveTo(const TTextGrid &grid, int row, int targetRow) {
  const int position = PositionOfRow(row);
  const int target = PositionOfRow(targetRow);
  if (position < 0 || target < 0)
    return row;
  {
    const TUndoGroup group(document->History);
    for (const int taken : {row, targetRow})
      Record({PositionOfRow(taken)}, PositionOfRow(taken), [&] {
        document->List.TakeOverRowInto(grid, kind, taken, PositionOfRow(taken));
        return std::vector<int>{PositionOfRow(taken)};
      }, [&] { return PositionOfRow(taken); });
    // The entry goes before the previous shown entry or after the next one: the hidden entries between keep
    // their order.
    const int low = std::min(position, target), high = std::max(position, target);
    std::vector<int> span;
    for (int p = low; p <= high; ++p)
      span.push_back(p);
    Record(span, position, [&] {
      const int step = target > position ? 1 : -1;
      for (int p = position; p != target; p += step)
        document->Exchange(p, p + step);
      return span;
    }, [target] { return target; });
  }
  if (Filtered()) {
    // The other shown entry of the two moved one place towards where the entry was.
    shown[static_cast<std::size_t>(targetRow - 1)] = target;
    shown[static_cast<std::size_t>(row - 1)] = target > position ? target - 1 : target + 1;
  }
  return targetRow;
}

int TDocumentController::MoveUp(const TTextGrid &grid, int row) {
  if (row <= 1 || PositionOfRow(row) < 0)
    return row;
  return MoveTo(grid, row, row - 1);
}

int TDocumentController::MoveDown(const TTextGrid &grid, int row) {
  if (row < 1 || PositionOfRow(row + 1) < 0)
    return row;
  return MoveTo(grid, row, row + 1);
}

bool TDocumentController::Update(int row, const std::string &file) {
  const int position = PositionOfRow(row);
  if (position < 0)
    return false;
  Record({position}, position, [&] {
    document->ReplaceSourceAt(position, file, kind);
    return std::vector<int>{position};
  }, [position] { return position; });
  MutableStateAt(position).Source = SourceOf(file);
  return true;
}

void TDocumentController::Rename(int row, const std::string &name) {
  const int position = PositionOfRow(row);
  if (position < 0)
    return;
  const std::string checked = CheckedEntryName(name);
  // The entry stays shown under its new name until the filter changes.
  Record({position}, position, [&] {
    document->List.Items()[static_cast<std::size_t>(position)]->Name = checked;
    return std::vector<int>{position};
  }, [position] { return position; });
}

void TDocumentController::ToggleMarks(const std::vector<int> &rows) {
  for (const int row : rows)
    if (const int position = PositionOfRow(row); position >= 0) {
      TEntryState &state = MutableStateAt(position);
      state.Marked = !state.Marked;
    }
  Changed();
}

std::optional<std::string> TDocumentController::CommitRow(const TTextGrid &grid, int row) {
  const int position = PositionOfRow(row);
  if (position < 0)
    return std::nullopt;
  std::optional<std::string> refused;
  Record({position}, position, [&] {
    try {
      document->List.TakeOverRowInto(grid, kind, row, position);
    } catch (const EConvertError &error) {
      refused = error.what();
    }
    return std::vector<int>{position};
  }, [position] { return position; });
  TEntryState &state = MutableStateAt(position);
  for (const TItemColumn &column : ItemColumns(kind)) {
    if (!column.FromText || column.Index >= grid.GetColCount())
      continue;
    const std::string text = grid.GetCell(column.Index, row);
    if (AttributeTextValid(kind, column.Index, text))
      state.RefusedTexts.erase(column.Index);
    else
      state.RefusedTexts[column.Index] = text;
  }
  return refused;
}

int TDocumentController::RowAfterStep(int focus) {
  // A text that was no value belongs to the cells as they were: the entries now show their own values.
  for (auto &[id, state] : states)
    state.RefusedTexts.clear();
  Refilter();
  Changed();
  return focus >= 0 ? RowOfPosition(focus) : -1;
}

int TDocumentController::Step(bool back) {
  TUndoHistory &history = document->History;
  if (back ? !history.CanUndo() : !history.CanRedo())
    return -1;
  int focus = -1;
  try {
    focus = back ? history.Undo(document->List) : history.Redo(document->List);
  } catch (...) {
    RowAfterStep(-1);
    throw;
  }
  return RowAfterStep(focus);
}

int TDocumentController::Undo() { return Step(true); }

int TDocumentController::Redo() { return Step(false); }

void TDocumentController::AsOneChange(const std::function<void()> &work) {
  const TUndoGroup group(document->History);
  work();
}

void TDocumentController::SetFilter(const std::string &text) {
  filter = TEntryFilter(text);
  Refilter();
  Changed();
}

void TDocumentController::Refilter() {
  shown.clear();
  if (!Filtered())
    return;
  const auto &items = document->List.Items();
  for (std::size_t position = 0; position < items.size(); ++position)
    if (filter.Matches(*items[position]))
      shown.push_back(static_cast<int>(position));
}

int TDocumentController::ShownCount() const {
  return Filtered() ? static_cast<int>(shown.size()) : document->List.Count();
}

int TDocumentController::PositionOfRow(int row) const {
  if (row < 1 || row > ShownCount())
    return -1;
  return Filtered() ? shown[static_cast<std::size_t>(row - 1)] : row - 1;
}

int TDocumentController::RowOfPosition(int position) const {
  if (position < 0 || position >= document->List.Count())
    return -1;
  if (!Filtered())
    return position + 1;
  const auto found = std::lower_bound(shown.begin(), shown.end(), position);
  return found != shown.end() && *found == position ? static_cast<int>(found - shown.begin()) + 1 : -1;
}

std::vector<int> TDocumentController::PositionsOfRows(const std::vector<int> &rows) const {
  std::vector<int> positions;
  for (const int row : rows)
    if (const int position = PositionOfRow(row); position >= 0)
      positions.push_back(position);
  return positions;
}

void TDocumentController::FillView(TTextGrid &grid) const {
  const int count = ShownCount();
  // The rows are made once, not one at a time: each change of the row count re-lays the widget grid out. The
  // grid keeps its rows when entries go, except while a filter is on: narrowing it leaves no rows to clear.
  if (grid.GetRowCount() < count + 1 || (Filtered() && grid.GetRowCount() > std::max(count + 1, MinimumRows)))
    grid.SetRowCount(std::max(count + 1, MinimumRows));
  for (int row = 1; row < grid.GetRowCount(); ++row)
    FillViewRow(grid, row);
}

void TDocumentController::FillViewRow(TTextGrid &grid, int row) const {
  if (row < 1 || row >= grid.GetRowCount())
    return;
  const int position = PositionOfRow(row);
  const TFileListItem *entry = position >= 0 ? document->List.Items()[static_cast<std::size_t>(position)].get() : nullptr;
  TFileList::WriteRow(grid, kind, entry, row);
  if (!entry)
    return;
  const auto found = states.find(entry->Id);
  if (found == states.end())
    return;
  const TEntryState &state = found->second;
  if (state.Marked)
    grid.SetCell(NameColumnIndex, row, "* " + grid.GetCell(NameColumnIndex, row));
  for (const auto &[col, text] : state.RefusedTexts)
    if (col < grid.GetColCount())
      grid.SetCell(col, row, text);
}

std::vector<std::pair<int, int>> TDocumentController::RefusedCells() const {
  std::vector<std::pair<int, int>> cells;
  const auto &items = document->List.Items();
  for (std::size_t position = 0; position < items.size(); ++position) {
    const auto found = states.find(items[position]->Id);
    if (found == states.end() || found->second.RefusedTexts.empty())
      continue;
    if (const int row = RowOfPosition(static_cast<int>(position)); row > 0)
      for (const auto &[col, text] : found->second.RefusedTexts)
        cells.emplace_back(col, row);
  }
  return cells;
}

const TEntryState &TDocumentController::StateAt(int position) const {
  static const TEntryState none;
  if (position < 0 || position >= document->List.Count())
    return none;
  const auto found = states.find(IdAt(position));
  return found != states.end() ? found->second : none;
}

TEntryState &TDocumentController::MutableStateAt(int position) { return states[IdAt(position)]; }

uint64_t TDocumentController::IdAt(int position) const {
  return document->List.Items().at(static_cast<std::size_t>(position))->Id;
}

void TDocumentController::Replaced() {
  states.clear();
  Refilter();
  Changed();
}

void TDocumentController::Changed() { ++revision; }
