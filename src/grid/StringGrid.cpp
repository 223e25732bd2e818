// The string grid's cells, counts, geometry and scrolling; input and painting live in StringGridInput.cpp.
#include "grid/StringGrid.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

TStringGrid::TStringGrid(QWidget *parent) : QAbstractScrollArea(parent) {
  cells.assign(rowCount, std::vector<QString>(colCount));
  colWidths.assign(colCount, defaultColWidth);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(false);
  UpdateScrollBars();
}

QString TStringGrid::Cells(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount || row >= rowCount)
    return {};
  return cells[row][col];
}

void TStringGrid::SetCells(int col, int row, const QString &text) {
  if (col < 0 || row < 0 || col >= colCount || row >= rowCount)
    return;
  cells[row][col] = text;
  InvalidateCell(col, row);
}

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == colCount)
    return;
  if (fixedCols >= count)
    fixedCols = count - 1;
  const int oldCount = colCount;
  colCount = count;
  for (auto &line : cells)
    line.resize(count);
  colWidths.resize(count, defaultColWidth);
  ClampCurrent();
  SizeChanged(oldCount, rowCount);
}

void TStringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count == rowCount)
    return;
  if (fixedRows >= count)
    fixedRows = count - 1;
  const int oldCount = rowCount;
  rowCount = count;
  cells.resize(count, std::vector<QString>(colCount));
  ClampCurrent();
  SizeChanged(colCount, oldCount);
}

void TStringGrid::SetFixedCols(int count) {
  fixedCols = std::clamp(count, 0, colCount - 1);
  ClampCurrent();
  UpdateScrollBars();
  InvalidateGrid();
}

void TStringGrid::SetFixedRows(int count) {
  fixedRows = std::clamp(count, 0, rowCount - 1);
  ClampCurrent();
  UpdateScrollBars();
  InvalidateGrid();
}

int TStringGrid::ColWidths(int col) const {
  return col >= 0 && col < colCount ? colWidths[col] : 0;
}

void TStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= colCount)
    return;
  colWidths[col] = std::max(width, 0);
  UpdateScrollBars();
  InvalidateGrid();
}

void TStringGrid::SetDefaultColWidth(int width) {
  defaultColWidth = std::max(width, 0);
  colWidths.assign(colCount, defaultColWidth);
  UpdateScrollBars();
  InvalidateGrid();
}

void TStringGrid::SetDefaultRowHeight(int height) {
  defaultRowHeight = std::max(height, 1);
  UpdateScrollBars();
  InvalidateGrid();
}

void TStringGrid::SetGridLineWidth(int width) {
  gridLineWidth = std::max(width, 0);
  UpdateScrollBars();
  InvalidateGrid();
}

void TStringGrid::SetOptions(TGridOptions value) {
  options = value;
  InvalidateGrid();
}

void TStringGrid::SetFixedColor(TColor color) {
  fixedColor = color;
  InvalidateGrid();
}

void TStringGrid::SetColor(TColor color) {
  cellColor = color;
  InvalidateGrid();
}

void TStringGrid::SetFont(const TFont &value) {
  setFont(value);
  fontColor = value.Color;
  InvalidateGrid();
}

TGridRect TStringGrid::Selection() const {
  TGridRect rect{std::min(anchorCol, currentCol), std::min(anchorRow, currentRow), std::max(anchorCol, currentCol),
                 std::max(anchorRow, currentRow)};
  if (options & goRowSelect) {
    rect.Left = fixedCols;
    rect.Right = colCount - 1;
  }
  return rect;
}

void TStringGrid::SetSelection(const TGridRect &rect) {
  anchorCol = std::clamp(rect.Left, fixedCols, colCount - 1);
  anchorRow = std::clamp(rect.Top, fixedRows, rowCount - 1);
  currentCol = std::clamp(rect.Right, fixedCols, colCount - 1);
  currentRow = std::clamp(rect.Bottom, fixedRows, rowCount - 1);
  ClampInView(currentCol, currentRow);
  InvalidateGrid();
}

void TStringGrid::FocusCell(int col, int row, bool moveAnchor) {
  col = std::clamp(col, fixedCols, colCount - 1);
  row = std::clamp(row, fixedRows, rowCount - 1);
  if (!SelectCell(col, row))
    return;
  currentCol = col;
  currentRow = row;
  if (moveAnchor || !(options & goRangeSelect)) {
    anchorCol = col;
    anchorRow = row;
  }
  ClampInView(col, row);
  InvalidateGrid();
  if (options & goAlwaysShowEditor)
    ShowEditor();
}

void TStringGrid::ClampCurrent() {
  const auto clampCol = [this](int col) { return std::clamp(col, fixedCols, std::max(fixedCols, colCount - 1)); };
  const auto clampRow = [this](int row) { return std::clamp(row, fixedRows, std::max(fixedRows, rowCount - 1)); };
  currentCol = clampCol(currentCol);
  anchorCol = clampCol(anchorCol);
  currentRow = clampRow(currentRow);
  anchorRow = clampRow(anchorRow);
  topRow = std::clamp(topRow, fixedRows, MaxTopRow());
  leftCol = std::clamp(leftCol, fixedCols, MaxLeftCol());
}

bool TStringGrid::SelectCell(int col, int row) {
  bool canSelect = true;
  if (OnSelectCell)
    OnSelectCell(this, col, row, canSelect);
  return canSelect;
}

void TStringGrid::SizeChanged(int, int) {
  UpdateScrollBars();
  InvalidateGrid();
}

void TStringGrid::MoveColumn(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= colCount || to >= colCount)
    return;
  ColumnMoved(from, to);
}

void TStringGrid::ColumnMoved(int from, int to) {
  const auto move = [from, to](auto &items) {
    if (from < to)
      std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + to + 1);
    else
      std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + 1);
  };
  for (auto &line : cells)
    move(line);
  move(colWidths);
  const auto follow = [from, to](int col) {
    if (col == from)
      return to;
    if (from < to && col > from && col <= to)
      return col - 1;
    if (to < from && col >= to && col < from)
      return col + 1;
    return col;
  };
  currentCol = follow(currentCol);
  anchorCol = follow(anchorCol);
  ClampCurrent();
  InvalidateGrid();
}

QString TStringGrid::GetEditText(int col, int row) const { return Cells(col, row); }

void TStringGrid::SetEditText(int col, int row, const QString &text) {
  if (Cells(col, row) != text)
    SetCells(col, row, text);
  if (OnSetEditText)
    OnSetEditText(this, col, row, text);
}

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
