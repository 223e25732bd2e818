// The context menu of the grids' rows: Přidat, Aktualizovat, Exportovat…, Přejmenovat…, Označit k odebrání,
// Nahoru, Dolů and Vyplnit výběr.
#include "editor/RowContextMenu.h"

#include "grid/XStringGrid.h"
#include "media/ItemColumns.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {
TXStringGrid *GridOf(QObject *watched) {
  auto *widget = qobject_cast<QWidget *>(watched);
  for (; widget; widget = widget->parentWidget())
    if (auto *grid = qobject_cast<TXStringGrid *>(widget))
      return grid;
  return nullptr;
}

// The press makes the row current in the column last edited, so the commands of the menu work on it.
void MakeRowCurrent(TXStringGrid &grid, int row) {
  const TGridRect block = grid.Selection();
  if (row >= block.Top && row <= block.Bottom)
    return;
  if (TCellEditor *editor = grid.ActiveEditor()) {
    editor->CommitEdit();
    editor->Hide();
  }
  grid.SetRow(row);
}
} // namespace

TRowContextMenu::TRowContextMenu(QWidget *parent, std::initializer_list<QAction *> actions)
    : QObject(parent), menu(new QMenu(parent)) {
  setObjectName(QStringLiteral("RowContextMenuFilter"));
  menu->setObjectName(QStringLiteral("RowContextMenu"));
  for (QAction *action : actions)
    if (action)
      menu->addAction(action);
    else
      menu->addSeparator();
}

void TRowContextMenu::Watch(TXStringGrid &grid) {
  grid.viewport()->installEventFilter(this);
  grid.installEventFilter(this);
}

bool TRowContextMenu::eventFilter(QObject *watched, QEvent *event) {
  TXStringGrid *grid = GridOf(watched);
  if (!grid)
    return false;
  if (event->type() == QEvent::MouseButtonPress && watched == grid->viewport()) {
    auto *press = static_cast<QMouseEvent *>(event);
    if (press->button() != Qt::RightButton)
      return false;
    const QPoint cell = grid->MouseToCell(press->position().toPoint());
    grid->setFocus(Qt::MouseFocusReason);
    if (cell.y() >= grid->FixedRows() && !grid->Cells(ExtColumnIndex, cell.y()).isEmpty())
      MakeRowCurrent(*grid, cell.y());
    return true;
  }
  if (event->type() == QEvent::ContextMenu) {
    auto *request = static_cast<QContextMenuEvent *>(event);
    QPoint at = request->globalPos();
    if (request->reason() != QContextMenuEvent::Mouse)
      at = grid->viewport()->mapToGlobal(grid->CellRect(grid->Col(), grid->Row()).bottomLeft());
    menu->popup(at);
    return true;
  }
  return false;
}
