// The document commands of the main window: new, open, save, add, remove, up, down and update.
#include "editor/fTovrikEditor.h"

#include "config/ExtList.h"
#include "editor/fConfig.h"
#include "editor/ItemGrids.h"
#include "editor/ProgresForm.h"
#include "editor/SaveChangesQuestion.h"
#include "grid/XStringGrid.h"
#include "media/Container.h"
#include "media/ItemColumns.h"
#include "media/MediaDocument.h"
#include "media/MediaMessages.h"
#include "media/UndoHistory.h"
#include "platform/AppFolder.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/TextLanguage.h"
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

// A path as the file system wants it.
std::string NativePath(const QString &path) { return QFile::encodeName(path).toStdString(); }
} // namespace

void TForm1::FormCreate(const QStringList &arguments) {
  // The program's folder, as in a build tree or a portable copy; an installed program starts in the user's home.
  QString folder = QString::fromStdString(AppFolder());
  if (!QFileInfo(folder).isWritable())
    folder = QDir::homePath();
  OpenPreviewDialog1->InitialDir = folder;
  OpenDialog2->InitialDir = folder;
  SaveDialog1->setDirectory(folder);

  // A new image list first: a container named on the command line replaces it, and when that container turns
  // out empty or damaged the window still shows a usable image list rather than nothing at all.
  Guarded([this] { Obrzky1Click(); });
  const QString argument = arguments.value(0);
  if (!argument.isEmpty() && QFileInfo(argument).isFile() && argument.toUpper().endsWith(QStringLiteral(".TVK")))
    Guarded([&] { LoadContainer(argument); });
}

TMediaStream &TForm1::Document() {
  if (!document)
    document = std::make_unique<TMediaStream>();
  return *document;
}

void TForm1::ReplaceDocument() {
  // The old document goes first, so that its backing file is free for the new one.
  document.reset();
  document = std::make_unique<TMediaStream>();
}

TXStringGrid &TForm1::GridOfKind(uint8_t kind) const { return kind == mkSounds ? *XStringGrid2 : *XStringGrid1; }

TXStringGrid &TForm1::KindGrid() const { return GridOfKind(mediaKind); }

void TForm1::FillKindGrid() {
  TXStringGrid &grid = KindGrid();
  Document().List.FillGrid(grid, mediaKind);
  grid.ClearCellMarks();
  statusBar()->clearMessage();
  UpdateStatusPanels();
  PreviewCurrentEntry();
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
  mediaKind = kind;
  FillKindGrid();
  SetStatus(QCoreApplication::translate("TForm1", kind == mkSounds ? soundsText : imagesText), fileText);
  RebuildAddFilter();
}

void TForm1::RebuildAddFilter() {
  const bool sounds = mediaKind == mkSounds;
  const TExtList &list = sounds ? SoundExtList() : ImageExtList();
  OpenPreviewDialog1->Filter = (sounds ? QCoreApplication::translate("TForm1", "Zvukové soubory|")
                                       : QCoreApplication::translate("TForm1", "Obrázkové soubory|")) +
                               QString::fromStdString(list.GetFilterMask()) +
                               QCoreApplication::translate("TForm1", "|Všechny soubory|*.*");
}

void TForm1::SetModified(bool value) {
  modified = value;
  UpdateTitle();
}

void TForm1::SetDocumentPath(const QString &path) {
  documentPath = path;
  if (!path.isEmpty())
    RememberRecentDocument(path);
  UpdateTitle();
}

void TForm1::UpdateTitle() {
  const QString program = QStringLiteral("TovrikEditor");
  const QString title = documentPath.isEmpty() ? program
                                               : QFileInfo(documentPath).fileName() + QStringLiteral(" – ") + program;
  setWindowTitle(modified ? QLatin1Char('*') + title : title);
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
  if (Document().List.TakeOverGridByRow(KindGrid(), mediaKind))
    SetModified(true);
}

void TForm1::CellCommitted(TXStringGrid &grid, int col, int row) {
  if (&grid != &KindGrid() || row < 1 || row > Document().List.Count())
    return;
  grid.SetCellMarked(col, row, !AttributeTextValid(mediaKind, col, grid.GetCell(col, row)));
  // The edited row is where the change happened, wherever the current cell has gone since.
  const int position = row - 1;
  TListChange change;
  change.Before(Document().List, {position}, position);
  std::optional<std::string> refused;
  try {
    Document().List.TakeOverRow(grid, mediaKind, row);
  } catch (const EConvertError &error) {
    refused = error.what();
  }
  change.After(Document().List, {position}, position);
  RecordChange(std::move(change));
  if (refused) {
    // The text stays in its cell, marked, until it is mended; a save names it again.
    SetModified(true);
    statusBar()->showMessage(QString::fromStdString(*refused));
  } else {
    statusBar()->clearMessage();
  }
  PreviewEditedRow(row);
}

bool TForm1::MayDropDocument() {
  EndEdit();
  if (!modified)
    return true;
  switch (AskSaveChanges(this)) {
  case TSaveChangesAnswer::Cancel: return false;
  case TSaveChangesAnswer::Discard: return true;
  case TSaveChangesAnswer::Save: break;
  }
  QString path = documentPath;
  if (path.isEmpty() && !ChooseSavePath(path))
    return false;
  return SaveTo(path);
}

void TForm1::NewDocument(uint8_t kind) {
  if (!MayDropDocument())
    return;
  TXStringGrid &grid = GridOfKind(kind);
  SetCurrentCell(grid, FirstAttributeColumn, 1);
  ReplaceDocument();
  ShowKind(kind, QString());
  SetDocumentPath(QString());
  SetModified(false);
  ShowHistoryState();
  emit DocumentChanged();
}

void TForm1::Obrzky1Click() { NewDocument(mkImages); }

void TForm1::Zvuky1Click() { NewDocument(mkSounds); }

void TForm1::Otevt1Click() {
  if (!MayDropDocument() || !OpenDialog2->Execute())
    return;
  LoadContainer(OpenDialog2->FileName);
  // The save dialog proposes the container shown, never one that failed to open.
  if (documentPath == OpenDialog2->FileName)
    SaveDialog1->selectFile(documentPath);
}

void TForm1::LoadContainer(const QString &path) {
  EndEdit();
  // The container is read into a document of its own, and the one shown is dropped only once that succeeded:
  // after an empty or damaged file the rows still on screen keep their entries, so a save cannot write an
  // empty container in their place. (The new document's backing file takes another name meanwhile.)
  auto loaded = std::make_unique<TMediaStream>();
  const QScopedValueRollback<bool> busyOpening(saving, true);
  TProgressForm progress(this);
  TInstalledProgress installed(progress);
  const std::optional<uint8_t> kind = ::LoadContainer(*loaded, NativePath(path));
  if (!kind)
    return; // an empty file has been reported; the grids and the status bar keep showing what they showed
  document = std::move(loaded);
  ShowKind(*kind, QLatin1Char(' ') + path);
  SetDocumentPath(path);
  SetModified(false);
  ShowHistoryState();
  emit DocumentChanged();
}

bool TForm1::ChooseSavePath(QString &path) {
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
    return false;
  path = SaveDialog1->selectedFiles().front();
  return true;
}

void TForm1::Uloit1Click() {
  // Once the document has a file of its own it is saved there; only a new document asks for a name.
  if (documentPath.isEmpty())
    UlozitJakoClick();
  else
    SaveTo(documentPath);
}

void TForm1::UlozitJakoClick() {
  QString path;
  if (ChooseSavePath(path))
    SaveTo(path);
}

// False when the user chose not to overwrite a file another program changed meanwhile.
bool TForm1::SaveTo(const QString &path) {
  // Also a save in place asks first when another program changed the file since it was opened or saved here.
  if (Document().ChangedOnDisk(NativePath(path)) && !Prompt().AskYesNo(Translated(MediaMessages::ChangedOnDisk)))
    return false;
  TakeOverKindGrid();
  {
    // The progress window lets the window system map it, so a close request could arrive; it waits for the save.
    const QScopedValueRollback<bool> busySaving(saving, true);
    TProgressForm progress(this);
    TInstalledProgress installed(progress);
    TBusyCursor busy;
    // The container is written beside the target and replaces it only when complete: a failed or cancelled save
    // keeps the old file, and the status bar keeps naming the file the window showed before.
    SaveContainer(Document(), mediaKind, NativePath(path), TConfigForm::ReadCompressionLevel());
  }
  statusFile->setText(QLatin1Char(' ') + path);
  statusFile->setToolTip(path);
  SetDocumentPath(path);
  Document().History.MarkSaved();
  SetModified(false);
  return true;
}

void TForm1::PridatClick() {
  TakeOverKindGrid();
  RebuildAddFilter();
  if (OpenPreviewDialog1->Execute())
    AddFiles(OpenPreviewDialog1->Files);
  else
    FillKindGrid();
}

void TForm1::AddFiles(const QStringList &files) {
  TListChange change = ChangeOf({});
  const int first = Document().List.Count();
  const auto recordAdded = [&] {
    std::vector<int> added;
    for (int position = first; position < Document().List.Count(); ++position)
      added.push_back(position);
    Record(change, added);
  };
  // The files added before one that fails stay and are shown.
  try {
    for (const QString &file : files)
      Document().AddFile(NativePath(file), mediaKind);
  } catch (...) {
    recordAdded();
    FillKindGrid();
    throw;
  }
  recordAdded();
  FillKindGrid();
}

void TForm1::OdebratClick() {
  EndEdit();
  const std::vector<int> marked = MarkedPositions();
  if (marked.empty())
    return;
  TListChange change = ChangeOf(marked);
  Document().RemoveAt(marked);
  DropRowsOf(marked);
  Record(change, {});
}

void TForm1::NahoruClick() {
  TXStringGrid &grid = KindGrid();
  EndEdit();
  const int row = grid.Row();
  if (row > 1 && row <= Document().List.Count()) {
    TakeOverRows({row - 1, row});
    TListChange change = ChangeOf({row - 2, row - 1});
    Document().Exchange(row - 2, row - 1);
    grid.SetRow(row - 1);
    RefillExchangedRows(row - 1);
    Record(change, {row - 2, row - 1});
  }
}

void TForm1::DoluClick() {
  TXStringGrid &grid = KindGrid();
  EndEdit();
  const int row = grid.Row();
  if (row + 1 < grid.GetRowCount() && !grid.CellText(NameColumnIndex, row + 1).isEmpty() &&
      row + 1 <= Document().List.Count()) {
    TakeOverRows({row, row + 1});
    TListChange change = ChangeOf({row - 1, row});
    Document().Exchange(row - 1, row);
    grid.SetRow(row + 1);
    RefillExchangedRows(row);
    Record(change, {row - 1, row});
  }
}

void TForm1::AktualizovatClick() {
  TXStringGrid &grid = KindGrid();
  TakeOverKindGrid();
  const int row = grid.Row();
  if (grid.CellText(SizeColumnIndex, row).isEmpty() || row > Document().List.Count())
    return;
  OpenPreviewDialog1->Options &= ~TOpenOptions(TOpenOption::ofAllowMultiSelect);
  const bool chosen = OpenPreviewDialog1->Execute();
  OpenPreviewDialog1->Options |= TOpenOption::ofAllowMultiSelect;
  if (chosen) {
    try {
      TListChange change = ChangeOf({row - 1});
      Document().List.ReplaceSourceAt(row - 1, NativePath(OpenPreviewDialog1->FileName));
      Record(change, {row - 1});
    } catch (...) {
      FillKindGrid();
      throw;
    }
  }
  FillKindGrid();
}

void TForm1::FormClose() { document.reset(); }
