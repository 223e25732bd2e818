// The document commands of the main window: new, open, save, add, remove, up, down and update.
#include "editor/fTovrikEditor.h"

#include "config/DialogFolders.h"
#include "config/ExtList.h"
#include "editor/ItemGrids.h"
#include "editor/NativePaths.h"
#include "editor/ProgresForm.h"
#include "editor/SaveChangesQuestion.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/ItemColumns.h"
#include "media/Manifest.h"
#include "media/MediaDocument.h"
#include "platform/AppFolder.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "desktop/OpenDialog.h"
#include "desktop/Shell.h"
#include "preview/OpenPreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QScopedValueRollback>
#include <QStatusBar>

#include <optional>
#include <vector>

namespace {
// Translated where they are shown: the translator is installed only after static initialisation.
const char *imagesText = QT_TRANSLATE_NOOP("TForm1", " Obrázkový soubor");
const char *soundsText = QT_TRANSLATE_NOOP("TForm1", " Zvukový soubor");
} // namespace

void TForm1::FormCreate(const QStringList &arguments) {
  // The containers' dialogs start where the user last opened or saved one; the add dialog's folder follows the kind.
  const QString folder = StartFolder(TDialogFolder::Containers);
  OpenDialog2->InitialDir = folder;
  SaveDialog1->setDirectory(folder);

  // A new image list first: a container named on the command line replaces it, and when that container turns
  // out empty or damaged the window still shows a usable image list rather than nothing at all.
  Guarded([this] { Obrzky1Click(); });
  const QString argument = arguments.value(0);
  if (!argument.isEmpty() && OpensAsDocument(argument))
    Guarded([&] { LoadContainer(argument); });
}

TDocumentController &TForm1::Controller() {
  if (!controller)
    controller = std::make_unique<TDocumentController>();
  return *controller;
}

TMediaStream &TForm1::Document() { return Controller().Document(); }

uint8_t TForm1::MediaKind() { return Controller().Kind(); }

bool TForm1::Modified() { return Controller().Modified(); }

QString TForm1::DocumentPath() { return QtPath(Controller().Path()); }

QString TForm1::ManifestPath() { return QtPath(Controller().ManifestPath()); }

QString TForm1::DocumentFile() { return ManifestPath().isEmpty() ? DocumentPath() : ManifestPath(); }

TXStringGrid &TForm1::GridOfKind(uint8_t kind) const { return kind == mkSounds ? *XStringGrid2 : *XStringGrid1; }

TXStringGrid &TForm1::KindGrid() { return GridOfKind(MediaKind()); }

void TForm1::FillKindGrid() {
  TXStringGrid &grid = KindGrid();
  Controller().FillView(grid);
  grid.ClearCellMarks();
  for (const auto &[col, row] : Controller().RefusedCells())
    grid.SetCellMarked(col, row, true);
  ShowProblemMarks();
  statusBar()->clearMessage();
  UpdateStatusPanels();
  PreviewCurrentEntry();
}

void TForm1::ShowChangedDocument() {
  FillKindGrid();
  ShowConversions();
  ShowHistoryState();
  emit DocumentChanged();
}

void TForm1::ChangeAndShow(const std::function<void()> &change) {
  try {
    change();
  } catch (...) {
    ShowChangedDocument();
    throw;
  }
  ShowChangedDocument();
}

void TForm1::SetStatus(const QString &kindText, const QString &fileText) {
  statusKind->setText(kindText);
  statusFile->setText(fileText);
  statusFile->setToolTip(fileText.trimmed());
}

void TForm1::ShowKind(uint8_t kind, const QString &fileText) {
  GridOfKind(kind).show();
  GridOfKind(kind == mkSounds ? mkImages : mkSounds).hide();
  GridOfKind(kind).setFocus();
  FillKindGrid();
  SetStatus(QCoreApplication::translate("TForm1", kind == mkSounds ? soundsText : imagesText), fileText);
  RebuildAddFilter();
}

void TForm1::RebuildAddFilter() {
  const bool sounds = MediaKind() == mkSounds;
  const TExtList &list = sounds ? SoundExtList() : ImageExtList();
  // The files converted as they are added are offered too; an empty list's "*" offers everything already.
  std::string mask = list.GetFilterMask();
  if (list.Count() > 0)
    for (const std::string &ext : ExtensionsConvertedOnAdd(Document().Conversion, MediaKind()))
      if (list.IndexOf(TExtString(ext)) < 0)
        mask += ";*" + ext;
  OpenPreviewDialog1->Filter = (sounds ? QCoreApplication::translate("TForm1", "Zvukové soubory|")
                                       : QCoreApplication::translate("TForm1", "Obrázkové soubory|")) +
                               QString::fromStdString(mask) +
                               QCoreApplication::translate("TForm1", "|Všechny soubory|*.*");
}

void TForm1::DocumentFileChanged() {
  // A document built from a manifest is the manifest's: that is the file to come back to, whatever its output.
  const QString file = DocumentFile();
  if (!file.isEmpty()) {
    RememberRecentDocument(file);
    RememberFolderOf(TDialogFolder::Containers, file);
  }
  UpdateTitle();
}

void TForm1::UpdateTitle() {
  const QString program = QStringLiteral("TovrikEditor");
  const QString path = DocumentFile();
  const QString title = path.isEmpty() ? program : QFileInfo(path).fileName() + QStringLiteral(" – ") + program;
  setWindowTitle(Modified() ? QLatin1Char('*') + title : title);
}

void TForm1::EndEdit() {
  for (TXStringGrid *grid : {XStringGrid1, XStringGrid2})
    if (TCellEditor *editor = grid->ActiveEditor()) {
      editor->CommitEdit();
      editor->Hide();
    }
}

void TForm1::TakeOverKindGrid() {
  EndEdit();
  try {
    Controller().TakeOverShownRows(KindGrid());
  } catch (...) {
    ShowHistoryState();
    throw;
  }
  ShowHistoryState();
}

void TForm1::CellCommitted(TXStringGrid &grid, int col, int row) {
  if (&grid != &KindGrid() || Controller().PositionOfRow(row) < 0)
    return;
  grid.SetCellMarked(col, row, !AttributeTextValid(MediaKind(), col, grid.GetCell(col, row)));
  // The edited row is where the change happened, wherever the current cell has gone since.
  const std::optional<std::string> refused = Controller().CommitRow(grid, row);
  ShowHistoryState();
  emit DocumentChanged();
  // The text stays in its cell, marked, until it is mended; a save names it again.
  if (refused)
    statusBar()->showMessage(QString::fromStdString(*refused));
  else
    statusBar()->clearMessage();
  PreviewEditedRow(row);
}

bool TForm1::MayDropDocument() {
  EndEdit();
  if (!Modified())
    return true;
  switch (AskSaveChanges(this)) {
  case TSaveChangesAnswer::Cancel: return false;
  case TSaveChangesAnswer::Discard: return true;
  case TSaveChangesAnswer::Save: break;
  }
  QString path = DocumentPath();
  if (path.isEmpty() && !ChooseSavePath(path))
    return false;
  return SaveTo(path);
}

void TForm1::NewDocument(uint8_t kind) {
  if (!MayDropDocument())
    return;
  TXStringGrid &grid = GridOfKind(kind);
  SetCurrentCell(grid, FirstAttributeColumn, 1);
  Controller().New(kind);
  ShowKind(kind, QString());
  DocumentFileChanged();
  ShowHistoryState();
  emit DocumentChanged();
}

void TForm1::Obrzky1Click() { NewDocument(mkImages); }

void TForm1::Zvuky1Click() { NewDocument(mkSounds); }

void TForm1::Otevt1Click() {
  if (!MayDropDocument())
    return;
  OpenDialog2->InitialDir = StartFolder(TDialogFolder::Containers);
  if (!OpenDialog2->Execute())
    return;
  LoadContainer(OpenDialog2->FileName);
  // The save dialog proposes the container shown, never one that failed to open.
  if (DocumentPath() == OpenDialog2->FileName)
    SaveDialog1->selectFile(DocumentPath());
}

void TForm1::LoadContainer(const QString &path) {
  EndEdit();
  bool opened = false;
  {
    const QScopedValueRollback<bool> busyOpening(saving, true);
    TProgressForm progress(this);
    TInstalledProgress installed(progress);
    if (IsManifestPath(NativePath(path))) {
      Controller().OpenManifest(NativePath(path));
      opened = true;
    } else {
      opened = Controller().Open(NativePath(path));
    }
  }
  if (!opened)
    return; // an empty file has been reported; the grids and the status bar keep showing what they showed
  ShowKind(MediaKind(), QLatin1Char(' ') + path);
  // The save dialog proposes a manifest's output, or a container beside it under its name when it names none.
  if (!ManifestPath().isEmpty())
    SaveDialog1->selectFile(!DocumentPath().isEmpty() ? DocumentPath()
                                                      : QFileInfo(path).absoluteDir().filePath(
                                                            QFileInfo(path).completeBaseName() + QStringLiteral(".tvk")));
  DocumentFileChanged();
  ShowHistoryState();
  emit DocumentChanged();
  WarnOfOtherJournal(path);
}

bool TForm1::ChooseSavePath(QString &path) {
  if (DocumentPath().isEmpty() && ManifestPath().isEmpty())
    SaveDialog1->setDirectory(StartFolder(TDialogFolder::Containers));
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
    return false;
  path = SaveDialog1->selectedFiles().front();
  return true;
}

void TForm1::Uloit1Click() {
  // Once the document has a file of its own it is saved there; only a new document asks for a name.
  if (DocumentPath().isEmpty())
    UlozitJakoClick();
  else
    SaveTo(DocumentPath());
}

void TForm1::UlozitJakoClick() {
  QString path;
  if (ChooseSavePath(path))
    SaveTo(path);
}

// False when the user chose not to overwrite a file another program changed meanwhile.
bool TForm1::SaveTo(const QString &path) {
  EndEdit();
  bool saved = false;
  try {
    // The progress window lets the window system map it, so a close request could arrive; it waits for the save.
    const QScopedValueRollback<bool> busySaving(saving, true);
    TProgressForm progress(this);
    TInstalledProgress installed(progress);
    TBusyCursor busy;
    // A failed or cancelled save keeps the old file, and the status bar keeps naming the file shown before.
    saved = Controller().Save(KindGrid(), NativePath(path));
  } catch (...) {
    ShowHistoryState();
    throw;
  }
  if (!saved)
    return false;
  statusFile->setText(QLatin1Char(' ') + path);
  statusFile->setToolTip(path);
  DocumentFileChanged();
  ShowHistoryState();
  return true;
}

void TForm1::PridatClick() {
  TakeOverKindGrid();
  RebuildAddFilter();
  PrepareAddDialog();
  if (OpenPreviewDialog1->Execute()) {
    AddFiles(OpenPreviewDialog1->Files);
    RememberAddedFolder(OpenPreviewDialog1->Files.value(0));
  } else
    FillKindGrid();
}

void TForm1::AddFiles(const QStringList &files) {
  std::vector<std::string> paths;
  for (const QString &file : files)
    paths.push_back(NativePath(file));
  // The files added before one that fails stay and are shown.
  ChangeAndShow([&] { Controller().Add(paths); });
}

void TForm1::ShowConversions() {
  const std::string text = ConversionsText(Document().TakeConversions());
  if (!text.empty())
    statusBar()->showMessage(QString::fromStdString(text));
}

void TForm1::OdebratClick() {
  EndEdit();
  const TRemoval removal = Controller().Remove();
  if (!removal.Rows.empty()) {
    DropRows(removal.Rows);
    ShowHistoryState();
    emit DocumentChanged();
  }
  if (removal.HiddenMarked > 0)
    statusBar()->showMessage(
        QCoreApplication::translate("TForm1", "Označené položky skryté filtrem (%1) zůstaly v seznamu.")
            .arg(removal.HiddenMarked));
}

void TForm1::NahoruClick() { MoveCurrentEntry(true); }

void TForm1::DoluClick() { MoveCurrentEntry(false); }

void TForm1::MoveCurrentEntry(bool up) {
  TXStringGrid &grid = KindGrid();
  EndEdit();
  const int row = grid.Row();
  int moved = row;
  try {
    moved = up ? Controller().MoveUp(grid, row) : Controller().MoveDown(grid, row);
  } catch (...) {
    // A text that is no value in either row stops the move; what was taken over before it stays.
    ShowHistoryState();
    throw;
  }
  ShowHistoryState();
  if (moved == row)
    return;
  grid.SetRow(moved);
  RefillRows({row, moved});
  emit DocumentChanged();
}

void TForm1::AktualizovatClick() {
  TXStringGrid &grid = KindGrid();
  TakeOverKindGrid();
  const int row = grid.Row();
  if (Controller().PositionOfRow(row) < 0)
    return;
  OpenPreviewDialog1->Options &= ~TOpenOptions(TOpenOption::ofAllowMultiSelect);
  PrepareAddDialog();
  const bool chosen = OpenPreviewDialog1->Execute();
  OpenPreviewDialog1->Options |= TOpenOption::ofAllowMultiSelect;
  if (!chosen)
    return;
  ChangeAndShow([&] {
    Controller().Update(row, NativePath(OpenPreviewDialog1->FileName));
    RememberAddedFolder(OpenPreviewDialog1->FileName);
  });
}

bool TForm1::OpensAsDocument(const QString &path) {
  return QFileInfo(path).isFile() && (path.endsWith(QStringLiteral(".tvk"), Qt::CaseInsensitive) ||
                                      IsManifestPath(NativePath(path)));
}

void TForm1::FormClose() { controller.reset(); }
