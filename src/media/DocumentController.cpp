// The document as the editor holds it, without any window: the commands, the per-entry state, the filter and the
// map between rows and positions.
#include "media/DocumentController.h"

#include "config/ExtList.h"
#include "media/Container.h"
#include "media/EntryName.h"
#include "media/EntryExport.h"
#include "media/ItemColumns.h"
#include "media/Manifest.h"
#include "media/MediaMessages.h"
#include "media/RecoveryJournal.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/TextGrid.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <set>

namespace {
std::optional<TEntrySource> SourceOf(const std::string &file) {
  const std::optional<TFileIdentity> identity = IdentityOf(file);
  if (!identity)
    return std::nullopt;
  return TEntrySource{file, identity->Size, identity->ModifiedNs};
}
} // namespace

TDocumentController::TDocumentController() : document(std::make_unique<TMediaStream>()) { StartJournal(); }

TDocumentController::~TDocumentController() { EndJournal(); }

bool TDocumentController::Modified() const {
  if (!document->History.AtSavedPoint())
    return true;
  return std::any_of(states.begin(), states.end(), [](const auto &state) { return !state.second.RefusedTexts.empty(); });
}

void TDocumentController::New(TMediaKind newKind) {
  // The old document goes first, so that its backing file is free for the new one.
  EndJournal();
  document.reset();
  document = std::make_unique<TMediaStream>();
  kind = newKind;
  path.clear();
  Replaced();
  StartJournal();
}

bool TDocumentController::Open(const std::string &containerPath) {
  // The container is read into a document of its own, and the one shown is dropped only once that succeeded:
  // after an empty or damaged file the rows still on screen keep their entries, so a save cannot write an
  // empty container in their place. (The new document's backing file takes another name meanwhile.)
  auto loaded = std::make_unique<TMediaStream>();
  const std::optional<uint8_t> loadedKind = LoadContainer(*loaded, containerPath);
  if (!loadedKind)
    return false;
  EndJournal();
  document = std::move(loaded);
  kind = *loadedKind;
  path = containerPath;
  Replaced();
  StartJournal();
  return true;
}

bool TDocumentController::Save(TTextGrid &grid, const std::string &containerPath) {
  // The output a manifest names was not chosen here: a file of another kind there stays.
  if (!manifestPath.empty() && containerPath == path)
    RequireContainerOrNothing(containerPath);
  // Also a save in place asks first when another program changed the file since it was opened or saved here.
  if (document->ChangedOnDisk(containerPath) && !Prompt().AskYesNo(Translated(MediaMessages::ChangedOnDisk)))
    return false;
  TakeOverShownRows(grid);
  // A document built from a manifest gives the bytes tvk build gives, so that tvk build --check passes on them.
  TSaveOptions options;
  if (!manifestPath.empty())
    options.EntryTime = ReproducibleEntryTime();
  // The container is written beside the target and replaces it only when complete: a failed or cancelled save
  // keeps the old file.
  SaveContainer(*document, kind, containerPath, manifestLevel.value_or(ReadCompressionLevel()), options);
  path = containerPath;
  document->History.MarkSaved();
  if (journal)
    journal->Saved(path, document->DiskIdentity());
  Changed();
  return true;
}

void TDocumentController::OpenManifest(const std::string &manifest) {
  auto loaded = std::make_unique<TMediaStream>();
  const TManifestFacts facts = LoadManifest(*loaded, manifest);
  EndJournal();
  document = std::move(loaded);
  kind = facts.Kind;
  path = facts.Output;
  Replaced();
  manifestPath = manifest;
  manifestLevel = facts.Level;
  for (int position = 0; position < document->List.Count(); ++position)
    SetSource(IdAt(position), SourceOf(document->List.Items()[static_cast<std::size_t>(position)]->SourcePath));
  StartJournal();
}

void TDocumentController::SaveManifestAs(TTextGrid &grid, const std::string &manifest) {
  namespace fs = std::filesystem;
  TakeOverShownRows(grid);
  const std::string folder = PathText(fs::absolute(FilePath(manifest)).parent_path());
  std::vector<TFileListItem *> unsourced;
  std::vector<std::string> sources;
  for (int position = 0; position < document->List.Count(); ++position) {
    TFileListItem *entry = document->List.Items()[static_cast<std::size_t>(position)].get();
    const std::optional<TEntrySource> &source = StateAt(position).Source;
    // Bytes kept in the backing file whose source file has gone since are written out as well.
    const bool sourced = source && (!entry->SourcePath.empty() || FileExists(source->Path));
    sources.push_back(sourced ? source->Path : std::string());
    if (!sourced)
      unsourced.push_back(entry);
  }
  const std::string manifestName = PathText(FilePath(manifest).filename());
  const std::vector<TEntryExport> plan = PlanDistinctFiles(unsourced, [&](const std::string &name) {
    std::error_code ignored; // a link, even one leading nowhere, is something there too
    return name == manifestName || fs::exists(fs::symlink_status(FilePath(folder) / FilePath(name), ignored));
  });
  ExportEntries(*document, plan, folder, TExistingFiles::Refuse);
  std::size_t written = 0;
  for (int position = 0; position < document->List.Count() && written < plan.size(); ++position)
    if (document->List.Items()[static_cast<std::size_t>(position)].get() == plan[written].Entry) {
      sources[static_cast<std::size_t>(position)] = PathText(FilePath(folder) / FilePath(plan[written++].FileName));
      SetSource(IdAt(position), SourceOf(sources[static_cast<std::size_t>(position)]));
    }
  SaveManifest(document->List, {kind, manifestLevel, path}, sources, manifest);
  manifestPath = manifest;
  document->History.MarkSaved();
  Changed();
}

std::vector<int> TDocumentController::ChangedSources() const {
  std::vector<int> changed;
  for (int position = 0; position < document->List.Count(); ++position) {
    const std::optional<TEntrySource> &source = StateAt(position).Source;
    if (!source)
      continue;
    // A file that is gone cannot be read again: it is no change to offer.
    const std::optional<TFileIdentity> now = IdentityOf(source->Path);
    if (now && (now->Size != source->Size || now->ModifiedNs != source->ModifiedNs))
      changed.push_back(position);
  }
  return changed;
}

int TDocumentController::ReadChangedAgain() {
  const std::vector<int> positions = ChangedSources();
  if (positions.empty())
    return 0;
  std::vector<TSourceSwap> swaps;
  Record(positions, positions.front(), [&] {
    for (const int position : positions) {
      const TEntrySource before = *StateAt(position).Source;
      document->ReplaceSourceAt(position, before.Path, kind);
      swaps.push_back({IdAt(position), before, SourceOf(before.Path)});
      SetSource(swaps.back().Id, swaps.back().After);
    }
    return positions;
  }, [&] { return positions.front(); }, [&] { return SourcesAside(swaps); });
  return static_cast<int>(positions.size());
}

std::vector<std::string> TDocumentController::SourcePaths() const {
  std::set<std::string> paths;
  for (int position = 0; position < document->List.Count(); ++position)
    if (const std::optional<TEntrySource> &source = StateAt(position).Source)
      paths.insert(source->Path);
  return {paths.begin(), paths.end()};
}

TListChange::TAside TDocumentController::SourcesAside(std::vector<TSourceSwap> swaps) {
  if (swaps.empty())
    return {};
  return [this, swaps = std::move(swaps)](bool undone) {
    for (const TSourceSwap &swap : swaps)
      SetSource(swap.Id, undone ? swap.Before : swap.After);
  };
}

void TDocumentController::SetSource(uint64_t id, const std::optional<TEntrySource> &source) {
  states[id].Source = source;
  ++sourcesRevision;
}

void TDocumentController::Record(const std::vector<int> &before, int focusBefore,
                                 const std::function<std::vector<int>()> &work,
                                 const std::function<int()> &focusAfter,
                                 const std::function<TListChange::TAside()> &aside) {
  TFileList &list = document->List;
  TListChange change;
  change.Before(list, before, focusBefore);
  std::vector<int> after;
  try {
    after = work();
  } catch (...) {
    // What the work did before it failed stays, and is a step like any other.
    change.After(list, after.empty() ? before : after, focusAfter());
    if (aside)
      change.SetAside(aside());
    document->History.Record(std::move(change));
    Changed();
    throw;
  }
  change.After(list, after, focusAfter());
  if (aside)
    change.SetAside(aside());
  document->History.Record(std::move(change));
  Changed();
}

void TDocumentController::ClaimBackingFileForJournal() {
  // Converted pictures and sounds go into the backing file, and the journal must point into it: a new document
  // claims one before its first step (always an addition) and its journal starts again from there. Where none can
  // be made nothing can be converted either.
  if (document->BackingFile() || document->History.CanUndo() || document->History.CanRedo())
    return;
  try {
    document->EnsureBackingFile();
  } catch (const EFCreateError &) {
    return;
  }
  EndJournal();
  StartJournal();
}

std::vector<int> TDocumentController::Add(const std::vector<std::string> &files) {
  ClaimBackingFileForJournal();
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
          SetSource(IdAt(list.Count() - 1), SourceOf(file));
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
  // The source is known before the step is recorded: the journal keeps the file as it is now. Zpět brings the file
  // it read before back with its record.
  std::vector<TSourceSwap> swaps;
  Record({position}, position, [&] {
    const TSourceSwap swap{IdAt(position), StateAt(position).Source, SourceOf(file)};
    document->ReplaceSourceAt(position, file, kind);
    swaps.push_back(swap);
    SetSource(swap.Id, swap.After);
    return std::vector<int>{position};
  }, [position] { return position; }, [&] { return SourcesAside(swaps); });
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

int TDocumentController::CheckEntries(int64_t budgetMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(budgetMs);
  const auto &items = document->List.Items();
  const std::vector<int> earlier = EarlierOfSameName(document->List);
  int left = 0;
  for (std::size_t position = 0; position < items.size(); ++position) {
    const TFileListItem &entry = *items[position];
    TEntryState &state = states[entry.Id];
    if (!state.Checked || !state.Checked->SameAs(entry)) {
      if (budgetMs > 0 && std::chrono::steady_clock::now() >= deadline) {
        ++left;
        continue;
      }
      state.Problems = CheckEntry(*document, entry);
      state.Checked = entry.Clone();
    }
    std::erase_if(state.Problems, [](const TEntryProblem &problem) { return problem.Kind == TProblemKind::SameName; });
    AddSameNameProblem(state.Problems, earlier, static_cast<int>(position));
  }
  return left;
}

std::vector<TFoundProblem> TDocumentController::Problems() const {
  std::vector<TFoundProblem> found;
  for (int position = 0; position < document->List.Count(); ++position)
    for (const TEntryProblem &problem : StateAt(position).Problems)
      found.push_back({position, problem});
  return found;
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
  manifestPath.clear();
  manifestLevel.reset();
  ++sourcesRevision;
  Refilter();
  Changed();
}

void TDocumentController::Changed() { ++revision; }

void TDocumentController::StartJournal() {
  TJournalBase base;
  base.Kind = kind;
  if (!path.empty()) {
    base.ContainerPath = path;
    base.Container = document->DiskIdentity();
  }
  if (TFileStream *backing = document->BackingFile()) {
    base.BackingPath = backing->FileName();
    base.Backing = IdentityOf(backing->Handle());
  }
  journal = std::make_unique<TRecoveryJournal>(base, document->List, document->History,
                                               [this](const TFileListItem &entry) { return SourceStamp(entry); });
  document->History.SetListener(journal.get());
}

void TDocumentController::EndJournal() {
  if (document)
    document->History.SetListener(nullptr);
  journal.reset();
}

int64_t TDocumentController::SourceStamp(const TFileListItem &entry) const {
  const auto found = states.find(entry.Id);
  if (found != states.end() && found->second.Source && found->second.Source->Path == entry.SourcePath)
    return found->second.Source->ModifiedNs;
  const std::optional<TFileIdentity> identity = IdentityOf(entry.SourcePath);
  return identity ? identity->ModifiedNs : 0;
}

bool TDocumentController::JournalPending() const { return journal && journal->Pending(); }

void TDocumentController::FlushJournal() {
  if (!journal)
    return;
  // Converted data the journal's entries point at reaches the disk before the journal does.
  if (journal->Pending())
    document->SyncBackingFile();
  if (journal->Flush())
    document->KeepBackingFileOnSignal();
}

std::string TDocumentController::JournalPath() const { return journal ? journal->Path() : std::string(); }
