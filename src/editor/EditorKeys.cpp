// The main window's keyboard: menu mnemonics, the shortcuts shown in the menus, and the marker of the current row.
#include "editor/EditorKeys.h"

#include "grid/XStringGrid.h"
#include "media/ItemColumns.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>

namespace {
struct TMenuKey {
  const char *Action;
  QKeySequence Keys;
  // The context menu's own copies only show their keys; Delete belongs to the grid that has the focus.
  Qt::ShortcutContext Context = Qt::WindowShortcut;
  // A second key for the same command, where users of other programs reach for either.
  QKeySequence Alternative = {};
};

// The commands outside the main menu (whose keys are in its table): the fill, and the context menu's own entries.
const TMenuKey menuKeys[] = {
    {"Vyplnit1", QKeySequence(Qt::CTRL | Qt::Key_D)},
    {"Oznacit1", QKeySequence(Qt::Key_Delete), Qt::WidgetShortcut},
    {"PridatRadek1", QKeySequence(Qt::Key_Insert), Qt::WidgetShortcut},
};
} // namespace

void ApplyMenuKeys(QMainWindow &window) {
  for (const TMenuKey &key : menuKeys)
    if (auto *action = window.findChild<QAction *>(QString::fromLatin1(key.Action))) {
      QList<QKeySequence> keys = {key.Keys};
      if (!key.Alternative.isEmpty())
        keys << key.Alternative;
      action->setShortcuts(keys);
      action->setShortcutContext(key.Context);
    }
}

void MarkCurrentRow(TXStringGrid &grid) {
  grid.OnDrawCell = [](TStringGrid *sender, QPainter &canvas, int col, int row, const QRect &rect, TGridDrawState) {
    if (col >= sender->FixedCols() || row != sender->Row() || row < sender->FixedRows() ||
        sender->Cells(ExtColumnIndex, row).isEmpty())
      return;
    QColor tint = sender->palette().color(QPalette::Highlight);
    tint.setAlpha(70);
    canvas.fillRect(rect, tint);
  };
}
