// The main window's commands beyond new, open, save and add: save as, recent files, dropped files, export, rename,
// fill, the removal mark from the keyboard, the rows' context menu with dragging, and the status panels.
#include "editor/fTovrikEditor.h"

#include "config/RecentFiles.h"
#include "editor/EditorIcons.h"
#include "editor/EditorKeys.h"
#include "editor/EntryExportUi.h"
#include "editor/FileDrops.h"
#include "editor/FillSelection.h"
#include "editor/ItemGrids.h"
#include "editor/RecentFilesMenu.h"
#include "editor/RowContextMenu.h"
#include "editor/StatusPanels.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/ItemColumns.h"
#include "media/MediaDocument.h"
#include "platform/CodePage.h"
#include "desktop/OpenDialog.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {
const char *missingRecentFile =
    QT_TRANSLATE_NOOP("TForm1", "Soubor %s už neexistuje; ze seznamu naposledy otevřených byl odebrán.");

// The rows of the grid's selected block that show an entry, when the block spans several rows.
std::vector<int> BlockRows(const TXStringGrid &grid) {
  std::vector<int> rows;
  const TGridRect block = grid.Selection();
  if (block.Top == block.Bottom)
    return rows;
  for (int row = block.Top; row <= block.Bottom; ++row)
    if (!grid.Cells(ExtColumnIndex, row).isEmpty())
      rows.push_back(row);
  return rows;
}

// The selected block's rows, or the current row alone: what the row commands of the context menu work on.
std::vector<int> CommandRows(const TXStringGrid &grid, int row) {
  const TGridRect block = grid.Selection();
  if (row >= block.Top && row <= block.Bottom) {
    std::vector<int> rows = BlockRows(grid);
    if (!rows.empty())
      return rows;
  }
  if (grid.Cells(ExtColumnIndex, row).isEmpty())
    return {};
  return {row};
}
} // namespace

void TForm1::BuildWorkflow() {
  auto command = [this](const char *name, const QString &caption, void (TForm1::*handler)()) {
    auto *action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    return action;
  };
  // The row commands the main menu has too are the menu's own actions, with its keys.
  auto *up = findChild<QAction *>(QStringLiteral("Nahoru1"));
  auto *down = findChild<QAction *>(QStringLiteral("Dolu1"));
  auto *update = findChild<QAction *>(QStringLiteral("Aktualizovat1"));
  QAction *fill = command("Vyplnit1", QCoreApplication::translate("TForm1", "Vyplnit výběr"), &TForm1::VyplnitClick);
  QAction *addRows = command("PridatRadek1", QCoreApplication::translate("TForm1", "Přidat"), &TForm1::PridatClick);
  addRows->setIcon(ImageList1(iconAdd));
  QAction *rename =
      command("Prejmenovat1", QCoreApplication::translate("TForm1", "Přejmenovat…"), &TForm1::PrejmenovatClick);
  QAction *mark =
      command("Oznacit1", QCoreApplication::translate("TForm1", "Označit k odebrání"), &TForm1::OznacitClick);
  QAction *exportRows = new QAction(QCoreApplication::translate("TForm1", "Exportovat…"), this);
  exportRows->setObjectName(QStringLiteral("ExportovatRadky1"));
  connect(exportRows, &QAction::triggered, this, [this] {
    Guarded([this] {
      const std::vector<int> positions =
          Controller().PositionsOfRows(CommandRows(KindGrid(), KindGrid().Row()));
      if (!positions.empty())
        ExportPositions(positions);
    });
  });
  addAction(fill);
  for (TXStringGrid *grid : {XStringGrid1, XStringGrid2})
    grid->addAction(mark);

  auto *rows = new TRowContextMenu(this, {addRows, update, exportRows, rename, mark, nullptr, up, down, nullptr, fill});
  for (TXStringGrid *grid : {XStringGrid1, XStringGrid2}) {
    rows->Watch(*grid);
    MarkCurrentRow(*grid);
    FillOnCtrlEnter(*grid, [this](const std::function<void()> &fill) { AsOneChange(fill); });
    grid->SetOptions(grid->Options() | goTabs);
    connect(grid, &TStringGrid::CurrentCellChanged, this, [this, grid] {
      if (grid == &KindGrid())
        UpdateStatusPanels();
    });
    new TRowDragger(*grid, [this, grid](int row) { return Controller().PositionsOfRows(CommandRows(*grid, row)); },
                    [this]() -> TMediaStream & { return Document(); });
  }
  ApplyMenuKeys(*this);
  BuildSourceWatch();
  statusPanels = new TStatusPanels(*statusBar());
  new TFileDropFilter(this, [this](const QStringList &paths) { Guarded([this, paths] { DropFiles(paths); }); });
}

void TForm1::UpdateStatusPanels() {
  if (statusPanels)
    statusPanels->Update(Document().List, KindGrid().Row(),
                         Controller().Filtered() ? std::optional<int>(Controller().ShownCount()) : std::nullopt);
}

void TForm1::RememberRecentDocument(const QString &path) {
  RememberRecentFile(QFileInfo(path).absoluteFilePath().toStdString());
  if (auto *recent = findChild<TRecentFilesMenu *>(QStringLiteral("NaposledyOtevrene1")))
    recent->Rebuild();
}

void TForm1::OpenRecentFile(const QString &path) {
  if (!QFileInfo(path).isFile()) {
    ForgetRecentFile(path.toStdString());
    if (auto *recent = findChild<TRecentFilesMenu *>(QStringLiteral("NaposledyOtevrene1")))
      recent->Rebuild();
    throw Exception(Substitute(QCoreApplication::translate("TForm1", missingRecentFile).toStdString(),
                               {QDir::toNativeSeparators(path).toStdString()}));
  }
  if (!MayDropDocument())
    return;
  SaveDialog1->selectFile(path);
  LoadContainer(path);
}

void TForm1::DropFiles(const QStringList &paths) {
  if (paths.size() == 1 && OpensAsDocument(paths.front())) {
    if (!MayDropDocument())
      return;
    SaveDialog1->selectFile(paths.front());
    LoadContainer(paths.front());
    return;
  }
  TakeOverKindGrid();
  AddFiles(ExpandDroppedPaths(paths));
}

std::vector<int> TForm1::SelectedPositions() { return Controller().PositionsOfRows(BlockRows(KindGrid())); }

void TForm1::ExportovatClick() {
  std::vector<int> positions = SelectedPositions();
  // Without a selection everything is exported: while a filter is on, everything shown.
  if (positions.empty() && Controller().Filtered()) {
    for (int row = 1; row <= Controller().ShownCount(); ++row)
      positions.push_back(Controller().PositionOfRow(row));
    if (positions.empty())
      return;
  }
  ExportPositions(positions);
}

void TForm1::ExportPositions(const std::vector<int> &positions) {
  if (Document().List.Count() == 0)
    return;
  const QString start = DocumentPath().isEmpty() ? OpenDialog2->InitialDir : QFileInfo(DocumentPath()).absolutePath();
  const QString folder = ChooseExportFolder(this, start);
  if (!folder.isEmpty())
    ExportInto(this, Document(), positions, folder);
}

void TForm1::PrejmenovatClick() {
  // An edit still open in the row would otherwise bring its old text back over the new name.
  TakeOverKindGrid();
  TXStringGrid &grid = KindGrid();
  const int row = grid.Row();
  const int position = Controller().PositionOfRow(row);
  if (position < 0)
    return;
  const TFileListItem &entry = *Document().List.Items()[size_t(position)];
  QInputDialog dialog(this);
  dialog.setObjectName(QStringLiteral("RenameDialog1"));
  dialog.setWindowTitle(QCoreApplication::translate("TForm1", "Přejmenovat položku"));
  dialog.setLabelText(QCoreApplication::translate("TForm1", "Nové jméno (přípona %1 zůstane):")
                          .arg(QString::fromStdString(Cp1250ToUtf8(entry.Ext.Text()))));
  dialog.setTextValue(QString::fromStdString(Cp1250ToUtf8(entry.Name)));
  dialog.setOkButtonText(QCoreApplication::translate("TForm1", "Přejmenovat"));
  dialog.setCancelButtonText(QCoreApplication::translate("TForm1", "Zrušit"));
  if (dialog.exec() != QDialog::Accepted)
    return;
  // The row keeps its removal mark and its edited cells; only the name changes, in the entry and on screen.
  Controller().Rename(row, dialog.textValue().toStdString());
  Controller().FillViewRow(grid, row);
  ShowHistoryState();
  emit DocumentChanged();
}

// The filled cells go through the grid's set-edit-text, so each changed row is taken over and marks the document;
// undo takes the whole fill back at once.
void TForm1::VyplnitClick() {
  AsOneChange([this] { FillSelection(KindGrid()); });
}

void TForm1::OznacitClick() {
  TXStringGrid &grid = KindGrid();
  const std::vector<int> rows = CommandRows(grid, grid.Row());
  Controller().ToggleMarks(rows);
  for (const int row : rows)
    Controller().FillViewRow(grid, row);
}
