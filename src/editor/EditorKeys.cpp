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

const TMenuKey menuKeys[] = {
    {"Obrzky1", QKeySequence(Qt::CTRL | Qt::Key_N)},
    {"Zvuky1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)},
    {"Otevt1", QKeySequence(Qt::CTRL | Qt::Key_O)},
    {"Uloit1", QKeySequence(Qt::CTRL | Qt::Key_S)},
    {"UlozitJako1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
    {"Pdat1", QKeySequence(Qt::Key_Insert)},
    {"Odebrat1", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
    {"Nahoru1", QKeySequence(Qt::ALT | Qt::Key_Up)},
    {"Dolu1", QKeySequence(Qt::ALT | Qt::Key_Down)},
    {"Aktualizovat1", QKeySequence(Qt::CTRL | Qt::Key_U)},
    {"Vyplnit1", QKeySequence(Qt::CTRL | Qt::Key_D)},
    {"Oznacit1", QKeySequence(Qt::Key_Delete), Qt::WidgetShortcut},
    {"PridatRadek1", QKeySequence(Qt::Key_Insert), Qt::WidgetShortcut},
    {"Npovda2", QKeySequence(Qt::Key_F1)},
    {"Konec1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    {"Zpet1", QKeySequence(Qt::CTRL | Qt::Key_Z)},
    {"Znovu1", QKeySequence(Qt::CTRL | Qt::Key_Y), Qt::WindowShortcut, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
};
} // namespace

void ApplyMenuKeys(QMainWindow &window) {
  if (auto *file = window.findChild<QMenu *>(QStringLiteral("Soubor1")))
    file->setTitle(QCoreApplication::translate("TForm1", "&Soubor"));
  if (auto *edit = window.findChild<QMenu *>(QStringLiteral("Upravy1")))
    edit->setTitle(QCoreApplication::translate("TForm1", "Úpr&avy"));
  if (auto *settings = window.findChild<QAction *>(QStringLiteral("Nastaven1")))
    settings->setText(QCoreApplication::translate("TForm1", "&Nastavení"));
  if (auto *help = window.findChild<QMenu *>(QStringLiteral("Npovda1")))
    help->setTitle(QCoreApplication::translate("TForm1", "Ná&pověda"));
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
