// The document as the editor holds it, without any window: the media document with its kind, file and history,
// what the editor keeps about each entry, the filter and the one map between the grid's rows and the entries'
// positions. Every command of the editor is an operation here; the window runs the dialogs and shows the rows.
#pragma once

#include "media/EntryCheck.h"
#include "media/EntryFilter.h"
#include "media/MediaDocument.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TJournalClaim;
class TRecoveryJournal;
class TTextGrid;

// An entry's source file: the file its bytes were last read from (or written out to, as the same bytes), as it
// was then.
struct TEntrySource {
  std::string Path;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
};

// What the editor keeps about one entry beside its record.
struct TEntryState {
  // Marked for Odebrat; shown as "* " before the name.
  bool Marked = false;
  // Texts typed into attribute cells that are no value, by column: the row keeps showing them until mended.
  std::map<int, std::string> RefusedTexts;
  std::optional<TEntrySource> Source;
  // What the check found (names included), and a copy of the entry as it was checked: a changed record or data
  // place is checked again, an unchanged one keeps its problems.
  std::vector<TEntryProblem> Problems;
  std::shared_ptr<const TFileListItem> Checked;
};

// What Odebrat did: the rows it took out (ascending) and how many marked entries the filter hides (they stay).
struct TRemoval {
  std::vector<int> Rows;
  int HiddenMarked = 0;
};

class TDocumentController {
public:
  // The header row and ten rows for entries: what a grid shows at least.
  static constexpr int MinimumRows = 11;

  // A new image list.
  TDocumentController();
  ~TDocumentController();

  TMediaStream &Document() { return *document; }
  const TMediaStream &Document() const { return *document; }
  TMediaKind Kind() const { return kind; }
  // The container the document was opened from or last saved to; empty for a new document.
  const std::string &Path() const { return path; }
  // Unsaved changes: the history away from its saved point, or a text that is no value waiting in a cell.
  bool Modified() const;
  // Counts the changes to the entries and the documents that came: whoever shows them compares it.
  uint64_t Revision() const { return revision; }

  // New images / New sounds: a fresh empty document of that kind.
  void New(TMediaKind newKind);
  // Reads the container at containerPath into a document of its own and takes it only when that succeeded;
  // false when the file was empty (reported already) and the document stays.
  bool Open(const std::string &containerPath);
  // Obnovit: the document a dead editor's journal holds becomes this one, with its file, its history and its
  // unsaved state, and the journal goes on from there. The entries whose source files changed or vanished since
  // are taken out as one more step; their files are returned. Throws, changing nothing, when the journal or
  // the backing file it kept cannot be read.
  std::vector<std::string> Restore(TJournalClaim &claim);
  // The recovery journal: steps wait to be written; writing them (throws EWriteError, they wait on); its file
  // (empty while it has none).
  bool JournalPending() const;
  void FlushJournal();
  std::string JournalPath() const;

  // Takes the shown rows over from grid first (a text that is no value stops the save with its error). False when
  // the user chose not to overwrite a file another program changed since it was opened or saved here.
  bool Save(TTextGrid &grid, const std::string &containerPath);

  // The manifest the document was built from or last written to as one; empty when none.
  const std::string &ManifestPath() const { return manifestPath; }
  // Otevřít of a manifest: builds the document from it (as tvk build reads it) in a document of its own, each entry
  // knowing its source file, and takes it only when that succeeded. Path() becomes the manifest's output, empty when
  // it names none; saves then write the container as tvk build does (its level, the reproducible entry time).
  void OpenManifest(const std::string &manifest);
  // Uložit manifest…: takes the shown rows over from grid, writes the entries without a source file (or whose file
  // has gone while their bytes lie in the backing file) into files beside the manifest, under names no file there
  // has yet so that nothing is replaced, then the manifest itself with Path() as its output. The written files are
  // those entries' sources from then on.
  void SaveManifestAs(TTextGrid &grid, const std::string &manifest);

  // The positions of the entries whose source file is there with another size or modification time than it had
  // when their bytes were read from it.
  std::vector<int> ChangedSources() const;
  // Aktualizovat změněné: those entries read their files again, as one step of the history. Returns how many.
  int ReadChangedAgain();
  // The source files of the entries, each once.
  std::vector<std::string> SourcePaths() const;
  // Counts the changes to the entries' sources: whoever watches the files compares it.
  uint64_t SourcesRevision() const { return sourcesRevision; }

  // Adds the files in order through the document's extension gate; the files added before one that fails stay.
  // Returns the rows of the added entries that the filter shows.
  std::vector<int> Add(const std::vector<std::string> &files);
  // Removes the marked entries that are shown.
  TRemoval Remove();
  // Nahoru / Dolů from row: the entry goes before the previous shown entry or after the next one. The rows' texts
  // are taken over from grid first. Returns the row the entry shows in then (row itself when nothing moved).
  int MoveUp(const TTextGrid &grid, int row);
  int MoveDown(const TTextGrid &grid, int row);
  // The entry of row takes its bytes from file from now on; false when the row shows no entry.
  bool Update(int row, const std::string &file);
  // name is UTF-8; it must be a valid entry name (CheckedEntryName throws otherwise).
  void Rename(int row, const std::string &name);
  // Toggles the removal mark of the entries of these rows.
  void ToggleMarks(const std::vector<int> &rows);
  // A cell edit of row has ended: its attribute cells go into its entry. Returns the error of a text that is no
  // value (it is kept and shown until mended), nothing when every cell converted.
  std::optional<std::string> CommitRow(const TTextGrid &grid, int row);
  // Takes every shown row over; a text that is no value throws its error.
  void TakeOverShownRows(const TTextGrid &grid);
  // Zpět / Znovu: returns the row to make current (-1 when none is known or it is hidden).
  int Undo();
  int Redo();
  // Runs work as one step of the history.
  void AsOneChange(const std::function<void()> &work);

  // The filter: rows show the entries whose name with extension matches text.
  void SetFilter(const std::string &text);
  bool Filtered() const { return !filter.Empty(); }
  // The rows shown (entries of the filter) and the map between rows and positions; row 1 is the first shown.
  int ShownCount() const;
  // The entry's position of row, or -1 for a row that shows none.
  int PositionOfRow(int row) const;
  // The row that shows the entry at position, or -1 when the filter hides it.
  int RowOfPosition(int position) const;
  std::vector<int> PositionsOfRows(const std::vector<int> &rows) const;

  // Writes the shown rows into grid (marks and refused texts included) and clears the rows after them.
  void FillView(TTextGrid &grid) const;
  // Row's texts as FillView writes them.
  void FillViewRow(TTextGrid &grid, int row) const;
  // The cells (column, row) that show a text that is no value.
  std::vector<std::pair<int, int>> RefusedCells() const;

  // Checks the entries changed since their last check, until budgetMs milliseconds have passed (0: no limit), and
  // compares every name. Returns how many changed entries are still to be checked.
  int CheckEntries(int64_t budgetMs = 0);
  // The problems the last check found, by position.
  std::vector<TFoundProblem> Problems() const;

  // What the editor keeps about the entry at position.
  const TEntryState &StateAt(int position) const;
  bool MarkedAt(int position) const { return StateAt(position).Marked; }

private:
  std::unique_ptr<TMediaStream> document;
  TMediaKind kind = mkImages;
  std::string path;
  std::string manifestPath;
  // The level of the manifest the document was built from, when it gives one.
  std::optional<int> manifestLevel;
  uint64_t revision = 0;
  uint64_t sourcesRevision = 0;
  std::unordered_map<uint64_t, TEntryState> states;
  TEntryFilter filter;
  // The positions shown, in order; empty while no filter is on (row n then shows position n - 1).
  std::vector<int> shown;
  // Declared after the document: it goes first.
  std::unique_ptr<TRecoveryJournal> journal;

  // A new journal from the document as it is now; the end of the journal (its file is deleted).
  void StartJournal();
  void EndJournal();
  void ClaimBackingFileForJournal();
  int64_t SourceStamp(const TFileListItem &entry) const;
  TEntryState &MutableStateAt(int position);
  uint64_t IdAt(int position) const;
  void Replaced();
  void Changed();
  void Refilter();
  // An entry's source before and after a change, by the entry's Id.
  struct TSourceSwap {
    uint64_t Id = 0;
    std::optional<TEntrySource> Before, After;
  };
  // Records around work a change of the entries at before's positions into after's; focus is a position. aside
  // gives, once work is done, what the change brings along beside the list.
  void Record(const std::vector<int> &before, int focusBefore, const std::function<std::vector<int>()> &work,
              const std::function<int()> &focusAfter, const std::function<TListChange::TAside()> &aside = {});
  // Undo and redo put the sources back with the records.
  TListChange::TAside SourcesAside(std::vector<TSourceSwap> swaps);
  void SetSource(uint64_t id, const std::optional<TEntrySource> &source);
  int MoveTo(const TTextGrid &grid, int row, int targetRow);
  int RowAfterStep(int focus);
  // Undo (back) or Redo.
  int Step(bool back);
};
