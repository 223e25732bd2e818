// The main window TForm1: the menu, the two item grids, the five buttons, the status bar and every command.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QAction;
class QColorDialog;
class QFileDialog;
class QLabel;
class QPushButton;
class QTimer;
class TCheckWindow;
struct TCheckLine;
class TComboCellEditor;
class TDocumentController;
class TEditCellEditor;
class TEntryPreview;
class TFilterBar;
class TFileListItem;
class TMediaStream;
class TSourceWatch;
class TStatusPanels;
class TOpenDialog;
class TOpenPreviewDialog;
class TUpDownCellEditor;
class TXStringGrid;
enum class TDialogFolder;

// Its members live in several files: fTovrikEditor.cpp the frame (building, layout, closing, settings, help, About,
// exit), EditorCommands.cpp start-up and the document commands, ItemGrids.cpp the item grids and their handlers,
// RowRefill.cpp the refills of single rows, WorkflowCommands.cpp the everyday commands beside the first ones,
// UndoCommands.cpp undo and redo, CheckCommands.cpp the check of what the runtime accepts, RecoveryCommands.cpp the
// recovery journal and its offer, ManifestCommands.cpp manifests and their source files.
class TForm1 : public QMainWindow {
  Q_OBJECT

public:
  // arguments are the program's command-line arguments after its name; the first may name a container.
  explicit TForm1(const QStringList &arguments = {}, QWidget *parent = nullptr);
  ~TForm1() override;

  // Commands, as the menu and the buttons run them.
  void Obrzky1Click();
  void Zvuky1Click();
  void Otevt1Click();
  void Uloit1Click();
  void PridatClick();
  void OdebratClick();
  void NahoruClick();
  void DoluClick();
  void AktualizovatClick();
  void Nastaven1Click();
  void Npovda2Click();
  void About1Click();
  void Konec1Click();
  // Soubor > Zkontrolovat: every problem the check finds, in a window from which a double click goes to the row.
  void ZkontrolovatClick();
  // Zobrazit: back to the design layout of the window, its preview pane and the grids' columns (WindowLayoutMemory.cpp).
  void ObnovitRozvrzeniClick();

  // The everyday commands beside them (WorkflowCommands.cpp).
  void UlozitJakoClick();
  // Manifests (ManifestCommands.cpp): the document written back as one, and its changed sources read again.
  void UlozitManifestClick();
  void AktualizovatZmeneneClick();
  void ExportovatClick();
  // Exports the entries at the zero-based positions (all when empty) into a folder the user chooses.
  void ExportPositions(const std::vector<int> &positions);
  void PrejmenovatClick();
  void VyplnitClick();
  void OznacitClick();
  // Úpravy: undo and redo of the changes to the document (UndoCommands.cpp).
  void ZpetClick();
  void ZnovuClick();
  void OpenRecentFile(const QString &path);
  // The filter's text changed (FilterBar.cpp): the grid shows the entries that match it.
  void HledatChange(const QString &text);
  // Files and folders dropped on the window: one container opens, anything else is added.
  void DropFiles(const QStringList &paths);
  // The entries whose rows form the selected block when it spans several rows; none otherwise.
  std::vector<int> SelectedPositions();

  // At start, once the window is shown: offers the unsaved work of editors that died (the question waits until
  // the window manager has placed the window, to be centred on it), and shows the document restored.
  void OfferRecoveryAtStart();

  // Shared by Open and start-up: replaces the document with the container at path, or with the one built from the
  // manifest at path.
  void LoadContainer(const QString &path);
  // A container or a manifest: what Otevřít opens (from the command line and by dropping too), not adds.
  static bool OpensAsDocument(const QString &path);

  // The grids' handlers: the removal mark on name cells, and which cells may become current.
  bool XStringGrid1SelectCell(int ACol, int ARow);
  bool XStringGrid2SelectCell(int ACol, int ARow);
  void EditCellEditor1ElipsisClick();
  // "* " + text, or text without its first two characters when it carries the mark.
  static QString ToggleRemoveMark(const QString &text);

  // The document with its state and every command on it; the window runs the dialogs and shows its rows.
  TDocumentController &Controller();
  // 0 = images, 1 = sounds.
  uint8_t MediaKind();
  TMediaStream &Document();
  TXStringGrid &KindGrid();

  // Whether the document differs from what was last opened or saved; the title shows it with "*".
  bool Modified();
  // The container the document was opened from or last saved to; empty for a new document.
  QString DocumentPath();
  // The manifest the document was built from or last written to as one; empty when none.
  QString ManifestPath();
  // What the document is to the user: its manifest when it has one, else its container (empty for a new one).
  QString DocumentFile();

signals:
  // The document's entries changed (a command, a cell edit, undo or redo) or another document came (New, Open):
  // whatever shows the current entry shows it afresh. The grid's row already shows the change.
  void DocumentChanged();

protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  void FormCreate(const QStringList &arguments);
  void FormClose();
  void FormResize();
  void PlaceControls();
  void FitClientArea();
  // The layout config.ini remembers, taken back at the first showing and kept at closing (WindowLayoutMemory.cpp).
  void RestoreLayout();
  void SaveLayout();
  // The file dialogs' start folders (DialogFolders.cpp): remembered per kind of file, else a first-run folder.
  QString StartFolder(TDialogFolder kind);
  void RememberFolderOf(TDialogFolder kind, const QString &file);
  // The add and update dialog starts where the document's kind of file was last taken from.
  void PrepareAddDialog();
  void RememberAddedFolder(const QString &file);

  // The main menu from its table (MainMenu.cpp).
  void BuildMenu();
  void BuildButtons();
  void BuildStatusBar();
  void BuildDialogs();
  void BuildGrids();
  // The additions of WorkflowCommands.cpp: shortcuts, recent files, drops, the rows' context menu, status panels.
  void BuildWorkflow();
  void AddFiles(const QStringList &files);
  // "Převedeno: …" in the status bar for the files the last command converted.
  void ShowConversions();
  // Puts path first among the recent files and rebuilds their menu.
  void RememberRecentDocument(const QString &path);
  void UpdateStatusPanels();
  // The watch on the entries' source files and its offer in the status bar (ManifestCommands.cpp).
  void BuildSourceWatch();
  // The Úpravy menu and its keys; an in-place editor with nothing of its own to undo lets them through.
  void BuildUndo();
  // Runs work as one step of the history: all its changes are undone and redone together.
  void AsOneChange(const std::function<void()> &work);
  // Undoes (back) or redoes a step and shows the list with the current row where the change was.
  void StepHistory(bool back);
  // Zpět and Znovu are enabled when there is a step to take; the title's "*" follows the saved point.
  void ShowHistoryState();
  // The main menu's entries enabled as its table says (MainMenu.cpp).
  void EnableMenu();
  // The entry preview (EntryPreviewDock.cpp): the pane, its menu entry, and the pane following the current row.
  void BuildPreview();
  // "Hledat:" above the grid, and Ctrl+F that goes there.
  void BuildFilter();
  void PreviewCurrentEntry();
  // A cell edit of row has ended: the pane shows the entry's new attributes when it shows that row.
  void PreviewEditedRow(int row);
  void SetPreviewShown(bool shown);
  // The entry of the kind grid's current row, or nullptr.
  TFileListItem *PreviewedEntry();

  // The check of what the runtime accepts (CheckCommands.cpp): a round after the entries change, the rows' marks,
  // the problems of the entry at a position as texts, the lines of the Zkontrolovat window.
  void BuildCheck();
  void CheckRound();
  void ShowProblemMarks();
  QStringList ProblemTexts(int position);
  std::vector<TCheckLine> CheckLines();
  void GoToEntry(int position);

  // Recovery of unsaved work (RecoveryCommands.cpp): the journal's timer, writing it, and the word that a container
  // just opened has unsaved changes in another editor or a journal.
  void BuildRecovery();
  void ScheduleJournal();
  void WriteJournal();
  void WarnOfOtherJournal(const QString &path);

  // Runs a command; an exception ends it and is shown in the error box, the window stays usable.
  void Guarded(const std::function<void()> &command);

  void NewDocument(uint8_t kind);
  // The document's file changed: shown in the title and remembered among the recent files.
  void DocumentFileChanged();
  void UpdateTitle();
  // Ends the kind grid's active edit: its text goes into its cell, and from there into its entry.
  void EndEdit();
  // Ends the edit and takes every row over, so that a refill loses nothing the user typed.
  void TakeOverKindGrid();
  // Asked before the document goes (New, Open, closing): false when the user keeps it.
  bool MayDropDocument();
  // Runs the save dialog; false when it was cancelled.
  bool ChooseSavePath(QString &path);
  // The road of a save to path; throws when the container could not be written.
  bool SaveTo(const QString &path);
  // A cell edit has ended: its row goes into its entry, and a text that is no value is marked.
  void CellCommitted(TXStringGrid &grid, int col, int row);
  // Shows the grid of kind, hides the other, and sets the kind with its status text and add filter.
  void ShowKind(uint8_t kind, const QString &fileText);
  void SetStatus(const QString &kindText, const QString &fileText);
  void RebuildAddFilter();
  TXStringGrid &GridOfKind(uint8_t kind) const;
  void FillKindGrid();
  // After a change of the entries: the grid, the menu and the title show them, and whatever follows the document.
  void ShowChangedDocument();
  // Runs change, then shows the document as it is, also when change failed part of the way (and rethrows).
  void ChangeAndShow(const std::function<void()> &change);
  // The partial refills (RowRefill.cpp). These rows show their entries again, marks and refused texts included.
  void RefillRows(std::initializer_list<int> rows);
  // These rows (ascending) go; the rows below move up.
  void DropRows(const std::vector<int> &rows);
  // After some rows were rewritten: the status bar and the entry preview follow.
  void RowsRefilled();
  bool SelectCell(TXStringGrid &grid, int ACol, int ARow);
  // Nahoru (up) or Dolů: the current entry before the previous shown one or after the next one.
  void MoveCurrentEntry(bool up);

  std::unique_ptr<TDocumentController> controller;
  // While a save or an open runs, the window does not close (the document is in use).
  bool saving = false;
  bool fittedOnShow = false;
  QTimer *journalTimer = nullptr;
  // How often the offer at start waited for the window to be placed.
  int offerWaits = 0;
  QPointer<QWidget> helpWindow;
  // The row the pane shows; -1 while it is hidden.
  int previewRow = -1;
  // The remembered pane width, kept while the pane is hidden so that closing does not lose it.
  int rememberedPreviewWidth = 0;

  QWidget *clientArea = nullptr;
  TXStringGrid *XStringGrid1 = nullptr;
  TXStringGrid *XStringGrid2 = nullptr;
  TComboCellEditor *ComboCellEditor1 = nullptr;
  TComboCellEditor *ComboCellEditor2 = nullptr;
  TEditCellEditor *EditCellEditor1 = nullptr;
  TUpDownCellEditor *UpDownCellEditor1 = nullptr;
  TUpDownCellEditor *UpDownCellEditor2 = nullptr;
  TUpDownCellEditor *UpDownCellEditor3 = nullptr;
  TUpDownCellEditor *UpDownCellEditor4 = nullptr;
  QPushButton *Pridat = nullptr;
  QPushButton *Odebrat = nullptr;
  QPushButton *Nahoru = nullptr;
  QPushButton *Dolu = nullptr;
  QPushButton *Aktualizovat = nullptr;
  QLabel *statusKind = nullptr;
  QLabel *statusFile = nullptr;
  TStatusPanels *statusPanels = nullptr;
  TSourceWatch *sourceWatch = nullptr;
  QFileDialog *SaveDialog1 = nullptr;
  TOpenDialog *OpenDialog2 = nullptr;
  TOpenPreviewDialog *OpenPreviewDialog1 = nullptr;
  QColorDialog *ColorDialog1 = nullptr;
  QAction *Zpet1 = nullptr;
  QAction *Znovu1 = nullptr;
  TEntryPreview *EntryPreview1 = nullptr;
  TFilterBar *filterBar = nullptr;
  QAction *ZobrazitNahled1 = nullptr;
  QTimer *checkTimer = nullptr;
  QPointer<TCheckWindow> checkWindow;
};
