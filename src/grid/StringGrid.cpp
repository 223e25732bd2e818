// The string grid's cells, counts, current cell and column moves; layout, input and painting have files of their own.
#include "grid/StringGrid.h"

#include <algorithm>
#include <span>

TStringGrid::TStringGrid(QWidget *parent) : QAbstractScrollArea(parent) {
  cells.resize(CellCount(colCount, rowCount));
  colWidths.assign(colCount, defaultColWidth);
  colSizedByUser.assign(colCount, false);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(false);
  UpdateScrollBars();
}

QString TStringGrid::Cells(int col, int row) const { return CellText(col, row); }

const QString &TStringGrid::CellText(int col, int row) const {
  static const QString outside;
  if (col < 0 || row < 0 || col >= colCount || row >= rowCount)
    return outside;
  return cells[CellIndex(col, row)];
}

void TStringGrid::SetCells(int col, int row, const QString &text) {
  if (col < 0 || row < 0 || col >= colCount || row >= rowCount)
    return;
  cells[CellIndex(col, row)] = text;
  InvalidateCell(col, row);
}

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == colCount)
    return;
  if (fixedCols >= count)
    fixedCols = count - 1;
  const int oldCount = colCount;
  std::vector<QString> resized(CellCount(count, rowCount));
  for (int row = 0; row < rowCount; ++row)
    std::move(cells.begin() + CellIndex(0, row), cells.begin() + CellIndex(std::min(oldCount, count), row),
              resized.begin() + static_cast<std::ptrdiff_t>(row) * count);
  cells.swap(resized);
  colCount = count;
  colWidths.resize(count, defaultColWidth);
  colSizedByUser.resize(count, false);
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
  cells.resize(CellCount(colCount, count));
  ClampCurrent();
  SizeChanged(colCount, oldCount);
}

std::vector<int> TStringGrid::DeletableRows(std::vector<int> rows) const {
  std::erase_if(rows, [this](int row) { return row < fixedRows || row >= rowCount; });
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void TStringGrid::DeleteRows(std::vector<int> rows) {
  rows = DeletableRows(std::move(rows));
  if (rows.empty())
    return;
  // One pass: every kept row moves up by the number of deleted rows above it.
  int kept = rows.front();
  auto deleted = rows.begin();
  for (int row = rows.front(); row < rowCount; ++row) {
    if (deleted != rows.end() && *deleted == row) {
      ++deleted;
      continue;
    }
    std::move(cells.begin() + CellIndex(0, row), cells.begin() + CellIndex(0, row + 1), cells.begin() + CellIndex(0, kept));
    ++kept;
  }
  const int oldCount = rowCount;
  rowCount -= static_cast<int>(rows.size());
  cells.resize(CellCount(colCount, rowCount));
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

bool TStringGrid::ColSizedByUser(int col) const { return col >= 0 && col < colCount && colSizedByUser[col]; }

void TStringGrid::SetColSizedByUser(int col, bool sized) {
  if (col >= 0 && col < colCount)
    colSizedByUser[col] = sized;
}

void TStringGrid::SetDefaultColWidth(int width) {
  defaultColWidth = std::max(width, 0);
  colWidths.assign(colCount, defaultColWidth);
  colSizedByUser.assign(colCount, false);
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
  // The pointer turns into the sizing cursor over a boundary before any button is pressed.
  viewport()->setMouseTracking(options & goColSizing);
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
  emit CurrentCellChanged();
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
  emit CurrentCellChanged();
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
  const auto move = [from, to](auto &&items) {
    if (from < to)
      std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + to + 1);
    else
      std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + 1);
  };
  for (int row = 0; row < rowCount; ++row)
    move(std::span(cells).subspan(CellIndex(0, row), static_cast<std::size_t>(colCount)));
  move(colWidths);
  move(colSizedByUser);
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
