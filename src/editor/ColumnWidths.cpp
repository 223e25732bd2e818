// The item grids' column widths: the name column taking the room the others leave, and the widths the user set
// by dragging, kept in config.ini and given back at the next start.
#include "editor/ColumnWidths.h"

#include "grid/XStringGrid.h"
#include "media/ItemColumns.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {
// The grid's width less this is the name column's share: 120 at the design width of 704.
constexpr int besideNameColumn = 584;
constexpr int widestNameColumn = 300;
// However much the user widened the other columns, the names stay readable; a scroll bar reaches the rest.
constexpr int narrowestNameColumn = 60;

int DefaultWidth(TMediaKind kind, int col) {
  const std::vector<TItemColumn> &columns = ItemColumns(kind);
  return col >= 0 && col < static_cast<int>(columns.size()) ? columns[static_cast<std::size_t>(col)].Width : 0;
}

// A column wider than every screen pushes the columns after it out of sight.
int WidestScreen() {
  int widest = 0;
  for (const QScreen *screen : QGuiApplication::screens())
    widest = std::max(widest, screen->availableVirtualGeometry().width());
  return widest;
}
} // namespace

void WidenNameColumn(TXStringGrid &grid, TMediaKind kind) {
  if (grid.ColSizedByUser(NameColumnIndex))
    return;
  int othersAdded = 0;
  for (int col = 0; col < grid.ColCount(); ++col)
    if (col != NameColumnIndex)
      othersAdded += grid.ColWidths(col) - DefaultWidth(kind, col);
  const int share = std::min(grid.width() - besideNameColumn - othersAdded, widestNameColumn);
  grid.SetColWidths(NameColumnIndex, std::max(share, narrowestNameColumn));
}

std::vector<int> UserColumnWidths(const TXStringGrid &grid) {
  std::vector<int> widths(static_cast<std::size_t>(grid.ColCount()), 0);
  for (int col = 0; col < grid.ColCount(); ++col)
    if (grid.ColSizedByUser(col))
      widths[static_cast<std::size_t>(col)] = grid.ColWidths(col);
  return widths;
}

void RestoreColumnWidths(TXStringGrid &grid, TMediaKind kind, const std::vector<int> &widths) {
  const int widest = WidestScreen();
  for (int col = 0; col < grid.ColCount() && col < static_cast<int>(widths.size()); ++col) {
    const int width = widths[static_cast<std::size_t>(col)];
    const bool usable = width >= TStringGrid::MinSizedColWidth && width <= widest;
    grid.SetColSizedByUser(col, usable);
    grid.SetColWidths(col, usable ? width : DefaultWidth(kind, col));
  }
  WidenNameColumn(grid, kind);
}

void ResetColumnWidths(TXStringGrid &grid, TMediaKind kind) {
  for (int col = 0; col < grid.ColCount(); ++col) {
    grid.SetColSizedByUser(col, false);
    grid.SetColWidths(col, DefaultWidth(kind, col));
  }
  WidenNameColumn(grid, kind);
}
