// The main window's entry preview: the pane on the right, its menu entry "Zobrazit náhled" (F3), remembered in
// config.ini, and the pane following the current row and the edits of its cells.
#include "editor/fTovrikEditor.h"

#include "config/PreviewSettings.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/ItemColumns.h"
#include "media/MediaDocument.h"
#include "platform/Streams.h"
#include "preview/EntryPreview.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTemporaryFile>

void TForm1::BuildPreview() {
  EntryPreview1 = new TEntryPreview(this);
  addDockWidget(Qt::RightDockWidgetArea, EntryPreview1);
  // The window's own pop-up menu of docks would show and hide the pane past F3: the window would not make room
  // for it and config.ini would not learn the choice.
  setContextMenuPolicy(Qt::NoContextMenu);

  ZobrazitNahled1 = findChild<QAction *>(QStringLiteral("ZobrazitNahled1"));
  connect(ZobrazitNahled1, &QAction::triggered, this,
          [this](bool shown) { Guarded([this, shown] { SetPreviewShown(shown); }); });
  EntryPreview1->OnCloseRequested = [this] { Guarded([this] { SetPreviewShown(false); }); };

  EntryPreview1->OnWaveFile = [this](QTemporaryFile &spare) {
    TFileListItem *entry = PreviewedEntry();
    if (!entry)
      return QString();
    if (!entry->SourcePath.empty())
      return QFile::decodeName(QByteArray::fromStdString(entry->SourcePath));
    TFileStream target(QFile::encodeName(spare.fileName()).toStdString(), TFileMode::fmOpenReadWrite);
    int64_t done = 0;
    Document().CopyEntryData(*entry, target, done);
    return spare.fileName();
  };

  for (TXStringGrid *grid : {XStringGrid1, XStringGrid2})
    connect(grid, &TStringGrid::CurrentCellChanged, this, [this, grid] {
      if (grid == &KindGrid() && grid->Row() != previewRow)
        PreviewCurrentEntry();
    });

  const bool shown = ReadPreviewVisible();
  ZobrazitNahled1->setChecked(shown);
  EntryPreview1->setVisible(shown);
}

TFileListItem *TForm1::PreviewedEntry() {
  const int position = Controller().PositionOfRow(KindGrid().Row());
  if (position < 0)
    return nullptr;
  return Document().List.Items()[size_t(position)].get();
}

void TForm1::PreviewCurrentEntry() {
  if (!EntryPreview1 || EntryPreview1->isHidden()) {
    previewRow = -1; // a hidden pane reads nothing; it catches up when it is shown
    return;
  }
  previewRow = KindGrid().Row();
  EntryPreview1->ShowEntry(Document(), PreviewedEntry());
  EntryPreview1->ShowProblems(ProblemTexts(Controller().PositionOfRow(previewRow)));
}

void TForm1::PreviewEditedRow(int row) {
  if (!EntryPreview1 || EntryPreview1->isHidden() || row != previewRow)
    return;
  if (const TFileListItem *entry = PreviewedEntry())
    EntryPreview1->ApplyAttributes(*entry);
}

void TForm1::SetPreviewShown(bool shown) {
  ZobrazitNahled1->setChecked(shown);
  if (shown == !EntryPreview1->isHidden())
    return;
  // The grids keep their size: the window grows by the pane and its separator (the pane is laid out at its
  // preferred width), and gives back what the pane took when it goes.
  const int change = shown ? EntryPreview1->sizeHint().width() +
                                 style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this)
                           : clientArea->width() - width();
  EntryPreview1->setVisible(shown);
  if (!isMaximized() && !isFullScreen()) {
    // The width first: a larger minimum would already widen the window.
    const int target = width() + change;
    setMinimumWidth(minimumWidth() + change);
    resize(target, height());
  }
  PreviewCurrentEntry();
  WritePreviewVisible(shown);
}
