// Where the string grid's cells sit in the viewport, which of them are scrolled in, and repainting parts of it.
#include "grid/StringGrid.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

// --- geometry -------------------------------------------------------------------------------------------------

int TStringGrid::FixedWidth() const {
  int width = 0;
  for (int col = 0; col < fixedCols; ++col)
    width += colWidths[col] + gridLineWidth;
  return width;
}

int TStringGrid::FixedHeight() const { return fixedRows * (defaultRowHeight + gridLineWidth); }

int TStringGrid::ColLeft(int col) const {
  if (col < 0 || col >= colCount || (col >= fixedCols && col < leftCol))
    return -1;
  int x = 0;
  for (int c = 0; c < col && c < fixedCols; ++c)
    x += colWidths[c] + gridLineWidth;
  for (int c = leftCol; c < col; ++c)
    x += colWidths[c] + gridLineWidth;
  return x;
}

int TStringGrid::RowTop(int row) const {
  if (row < 0 || row >= rowCount)
    return -1;
  if (row < fixedRows)
    return row * (defaultRowHeight + gridLineWidth);
  if (row < topRow)
    return -1;
  return FixedHeight() + (row - topRow) * (defaultRowHeight + gridLineWidth);
}

QRect TStringGrid::CellBox(int col, int row) const {
  const int x = ColLeft(col);
  const int y = RowTop(row);
  if (x < 0 || y < 0)
    return {};
  return QRect(x, y, colWidths[col], defaultRowHeight);
}

QRect TStringGrid::CellRect(int col, int row) const {
  const QRect visible = CellBox(col, row).intersected(viewport()->rect());
  return visible.isEmpty() ? QRect() : visible;
}

QPoint TStringGrid::MouseToCell(const QPoint &pos) const {
  // Walks the displayed lines: the fixed ones, then those from the first scrolled-in one on.
  const auto find = [](int coord, int fixedCount, int first, int count, auto extent) {
    int start = 0;
    for (int i = 0; i < count; ++i) {
      if (i == fixedCount)
        i = first;
      if (i >= count)
        break;
      start += extent(i);
      if (coord < start)
        return i;
    }
    return -1;
  };
  if (pos.x() < 0 || pos.y() < 0)
    return {-1, -1};
  const int col = find(pos.x(), fixedCols, leftCol, colCount, [this](int c) { return colWidths[c] + gridLineWidth; });
  const int row = find(pos.y(), fixedRows, topRow, rowCount, [this](int) { return defaultRowHeight + gridLineWidth; });
  if (col < 0 || row < 0)
    return {-1, -1};
  return {col, row};
}

int TStringGrid::SizingBoundaryAt(const QPoint &pos) const {
  // A boundary is hard to hit on its one-pixel line: a few pixels on either side take hold of it too.
  constexpr int reach = 3;
  if (pos.y() < 0 || pos.y() >= FixedHeight())
    return -1;
  int nearest = -1;
  int nearestDistance = reach + 1;
  for (int col = 0; col < colCount; ++col) {
    const int left = ColLeft(col);
    if (left < 0)
      continue;
    if (left >= viewport()->width())
      break;
    const int distance = std::abs(pos.x() - (left + colWidths[col]));
    if (distance <= nearestDistance) {
      nearest = col;
      nearestDistance = distance;
    }
  }
  return nearest;
}

int TStringGrid::VisibleRowCount() const {
  const int available = viewport()->height() - FixedHeight();
  const int count = available / (defaultRowHeight + gridLineWidth);
  return std::clamp(count, 0, rowCount - topRow);
}

int TStringGrid::VisibleColCount() const {
  int available = viewport()->width() - FixedWidth();
  int count = 0;
  for (int col = leftCol; col < colCount && available >= colWidths[col]; ++col, ++count)
    available -= colWidths[col] + gridLineWidth;
  return count;
}

int TStringGrid::MaxTopRow() const {
  const int available = viewport()->height() - FixedHeight();
  const int fitting = std::max(1, available / (defaultRowHeight + gridLineWidth));
  return std::max(fixedRows, rowCount - fitting);
}

int TStringGrid::MaxLeftCol() const {
  int available = viewport()->width() - FixedWidth();
  int col = colCount - 1;
  available -= colWidths[col] + gridLineWidth;
  while (col > fixedCols && available >= colWidths[col - 1]) {
    --col;
    available -= colWidths[col] + gridLineWidth;
  }
  return std::max(fixedCols, col);
}

// --- scrolling ------------------------------------------------------------------------------------------------

void TStringGrid::SetTopRow(int row) {
  row = std::clamp(row, fixedRows, MaxTopRow());
  if (row == topRow)
    return;
  topRow = row;
  UpdateScrollBars();
  InvalidateGrid();
  TopLeftChanged();
}

void TStringGrid::SetLeftCol(int col) {
  col = std::clamp(col, fixedCols, MaxLeftCol());
  if (col == leftCol)
    return;
  leftCol = col;
  UpdateScrollBars();
  InvalidateGrid();
  TopLeftChanged();
}

void TStringGrid::TopLeftChanged() {}

void TStringGrid::ClampInView(int col, int row) {
  if (row >= fixedRows) {
    if (row < topRow)
      SetTopRow(row);
    else if (const int visible = std::max(1, VisibleRowCount()); row >= topRow + visible)
      SetTopRow(row - visible + 1);
  }
  if (col >= fixedCols) {
    if (col < leftCol)
      SetLeftCol(col);
    else {
      while (leftCol < col && col >= leftCol + std::max(1, VisibleColCount()))
        SetLeftCol(leftCol + 1);
    }
  }
}

void TStringGrid::UpdateScrollBars() {
  const auto scrollable = [](const QScrollBar *bar) { return bar->maximum() > bar->minimum(); };
  const bool wasScrollable[] = {scrollable(verticalScrollBar()), scrollable(horizontalScrollBar())};
  SetScrollRanges();
  // The blocked signals would have told the area to show or hide a bar whose range now needs it or no longer does.
  if (wasScrollable[0] != scrollable(verticalScrollBar()) || wasScrollable[1] != scrollable(horizontalScrollBar())) {
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &request);
  }
}

void TStringGrid::SetScrollRanges() {
  const QSignalBlocker blockVertical(verticalScrollBar());
  const QSignalBlocker blockHorizontal(horizontalScrollBar());
  topRow = std::clamp(topRow, fixedRows, MaxTopRow());
  leftCol = std::clamp(leftCol, fixedCols, MaxLeftCol());
  verticalScrollBar()->setRange(fixedRows, MaxTopRow());
  verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount()));
  verticalScrollBar()->setValue(topRow);
  horizontalScrollBar()->setRange(fixedCols, MaxLeftCol());
  horizontalScrollBar()->setPageStep(std::max(1, VisibleColCount()));
  horizontalScrollBar()->setValue(leftCol);
}

void TStringGrid::scrollContentsBy(int, int) {
  const int row = verticalScrollBar()->value();
  const int col = horizontalScrollBar()->value();
  if (row == topRow && col == leftCol)
    return;
  topRow = row;
  leftCol = col;
  InvalidateGrid();
  TopLeftChanged();
}

void TStringGrid::resizeEvent(QResizeEvent *event) {
  QAbstractScrollArea::resizeEvent(event);
  const int oldTop = topRow;
  const int oldLeft = leftCol;
  UpdateScrollBars();
  if (oldTop != topRow || oldLeft != leftCol)
    TopLeftChanged();
}

void TStringGrid::InvalidateCell(int col, int row) {
  // Most cells of a long list are out of view, or the grid is not shown yet: nothing to repaint there.
  const int top = RowTop(row);
  if (top < 0 || top >= viewport()->height() || !viewport()->isVisible())
    return;
  const QRect box = CellBox(col, row);
  if (!box.isEmpty())
    viewport()->update(box.adjusted(-gridLineWidth, -gridLineWidth, gridLineWidth, gridLineWidth));
}

void TStringGrid::InvalidateCol(int col) {
  const int x = ColLeft(col);
  if (x >= 0)
    viewport()->update(QRect(x - gridLineWidth, 0, colWidths[col] + 2 * gridLineWidth, viewport()->height()));
}

void TStringGrid::InvalidateGrid() { viewport()->update(); }
