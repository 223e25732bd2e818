// Exporting entries from the window: the folder question, the progress window, and rows dragged out as files.
#include "editor/EntryExportUi.h"

#include "editor/ProgresForm.h"
#include "grid/XStringGrid.h"
#include "media/EntryExport.h"
#include "media/ItemColumns.h"
#include "platform/Prompt.h"
#include "desktop/Shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDrag>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QUrl>

QString ChooseExportFolder(QWidget *parent, const QString &start) {
  QFileDialog dialog(parent, QCoreApplication::translate("TForm1", "Exportovat do složky"), start);
  dialog.setObjectName(QStringLiteral("ExportDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setLabelText(QFileDialog::Accept, QCoreApplication::translate("TForm1", "Exportovat"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().front();
}

void ExportInto(QWidget *parent, TMediaStream &document, const std::vector<int> &positions, const QString &folder) {
  // Every name is checked before the progress window appears and before anything is written.
  const std::vector<TEntryExport> plan = PlanExport(document.List, positions);
  TProgressForm progress(parent);
  TInstalledProgress installed(progress);
  TBusyCursor busy;
  ExportEntries(document, plan, QFile::encodeName(folder).toStdString(), TExistingFiles::Ask);
}

TRowDragger::TRowDragger(TXStringGrid &grid, std::function<std::vector<int>(int)> rowsOf,
                         std::function<TMediaStream &()> document)
    : QObject(&grid), grid(grid), rowsOf(std::move(rowsOf)), document(std::move(document)) {
  setObjectName(grid.objectName() + QStringLiteral("Dragger"));
  Drag = [this](QMimeData *data) {
    auto *drag = new QDrag(this->grid.viewport());
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
  };
  grid.viewport()->installEventFilter(this);
}

TRowDragger::~TRowDragger() = default;

QMimeData *TRowDragger::ExportForDrag(const std::vector<int> &positions) {
  const std::vector<TEntryExport> plan = PlanExport(document().List, positions);
  // The files of the previous drag have been taken by now; a drop target copies them while it handles the drop.
  folder = std::make_unique<QTemporaryDir>();
  if (!folder->isValid())
    throw Exception(folder->errorString().toStdString());
  ExportEntries(document(), plan, QFile::encodeName(folder->path()).toStdString(), TExistingFiles::Refuse);
  QList<QUrl> urls;
  for (const TEntryExport &entry : plan)
    urls << QUrl::fromLocalFile(folder->filePath(QString::fromStdString(entry.FileName)));
  auto *data = new QMimeData;
  data->setUrls(urls);
  return data;
}

bool TRowDragger::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::MouseButtonPress) {
    auto *press = static_cast<QMouseEvent *>(event);
    const QPoint cell = grid.MouseToCell(press->position().toPoint());
    pressRow = -1;
    if (press->button() == Qt::LeftButton && cell.x() >= 0 && cell.x() < grid.FixedCols() &&
        cell.y() >= grid.FixedRows() && !grid.Cells(ExtColumnIndex, cell.y()).isEmpty()) {
      pressRow = cell.y();
      pressPos = press->position().toPoint();
      nameBeforePress = grid.Cells(NameColumnIndex, pressRow);
    }
  } else if (event->type() == QEvent::MouseMove && pressRow >= 0) {
    auto *move = static_cast<QMouseEvent *>(event);
    if ((move->buttons() & Qt::LeftButton) &&
        (move->position().toPoint() - pressPos).manhattanLength() >= QApplication::startDragDistance()) {
      const int row = pressRow;
      pressRow = -1;
      grid.SetCells(NameColumnIndex, row, nameBeforePress);
      // A drag is a command of its own: its failure is shown here, it cannot travel up through the event loop.
      try {
        Drag(ExportForDrag(rowsOf(row)));
      } catch (const std::exception &error) {
        Prompt().ShowError(error.what());
      }
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonRelease) {
    pressRow = -1;
  }
  return QObject::eventFilter(watched, event);
}
