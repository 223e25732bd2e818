// The column-settings grid: column synchronisation, cell drawing and the grid's side of in-place editing.
#include "grid/XStringGrid.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

using namespace ColorValues;

TXStringGrid::TXStringGrid(QWidget *parent) : TStringGrid(parent), columns(std::make_unique<TXStringColumns>(this)) {
  for (int col = 0; col < ColCount(); ++col)
    columns->Add();
}

TXStringGrid::~TXStringGrid() {
  // Nobody is told about a grid that is going away.
  OnSelectCell = nullptr;
  OnDrawCell = nullptr;
  OnSetEditText = nullptr;
  OnDrawEditor = nullptr;
  DestroyWnd();
  columns.reset();
}

void TXStringGrid::DestroyWnd() {
  for (int col = 0; col < columns->Count(); ++col)
    if (TCellEditor *editor = columns->Items(col)->Editor())
      editor->DestroyInplaceWindow();
}

void TXStringGrid::SetFixedLineColor(TColor color) {
  fixedLineColor = color;
  InvalidateGrid();
}

void TXStringGrid::SetGridLineColor(TColor color) {
  gridLineColor = color;
  InvalidateGrid();
}

void TXStringGrid::SetColumns(const TXStringColumns &source) {
  columns->Assign(source);
  while (columns->Count() < ColCount())
    columns->Add();
  while (columns->Count() > ColCount())
    columns->Delete(columns->Count() - 1);
  InvalidateGrid();
}

void TXStringGrid::SetMultiLine(bool value) {
  multiLine = value;
  InvalidateGrid();
}

void TXStringGrid::SizeChanged(int oldColCount, int oldRowCount) {
  for (int col = oldColCount; col < ColCount(); ++col)
    columns->Add();
  for (int col = oldColCount - 1; col >= ColCount(); --col)
    columns->Delete(col);
  TStringGrid::SizeChanged(oldColCount, oldRowCount);
}

void TXStringGrid::DeleteRows(std::vector<int> rows) {
  rows = DeletableRows(std::move(rows));
  if (rows.empty())
    return;
  if (activeEditor) {
    activeEditor->CommitEdit();
    activeEditor->Hide();
  }
  std::set<std::pair<int, int>> moved;
  for (const auto &[col, row] : markedCells) {
    const auto above = std::lower_bound(rows.begin(), rows.end(), row);
    if (above == rows.end() || *above != row)
      moved.insert({col, row - static_cast<int>(above - rows.begin())});
  }
  markedCells.swap(moved);
  TStringGrid::DeleteRows(std::move(rows));
}

void TXStringGrid::ColumnMoved(int from, int to) {
  columns->Move(from, to);
  TStringGrid::ColumnMoved(from, to);
}

// --- drawing --------------------------------------------------------------------------------------------------

void TXStringGrid::DrawCell(QPainter &canvas, int col, int row, const QRect &rect, TGridDrawState state) {
  if (!DefaultDrawing()) {
    TStringGrid::DrawCell(canvas, col, row, rect, state);
    return;
  }
  const TXStringColumnItem *column = columns->Items(col);
  QColor textColor = canvas.pen().color();
  if (row < FixedRows()) {
    canvas.setBrush(ColorToQColor(column->HeaderColor(), palette()));
    canvas.setFont(column->HeaderFont());
    textColor = ColorToQColor(column->HeaderFont().Color, palette());
  } else if (col >= FixedCols()) {
    canvas.setBrush(ColorToQColor(column->Color(), palette()));
    canvas.setFont(column->Font());
    textColor = ColorToQColor(column->Font().Color, palette());
  }
  if (state & gdSelected) {
    canvas.setBrush(ColorToQColor(clHighlight, palette()));
    textColor = ColorToQColor(clHighlightText, palette());
  }
  if (CellMarked(col, row)) {
    canvas.setBrush(QColor(255, 210, 210));
    textColor = QColor(200, 0, 0);
  }
  const TRowFlag flag = col == 0 && row >= FixedRows() ? RowFlag(row) : TRowFlag::None;
  const QColor flagColor = flag == TRowFlag::Problem ? QColor(230, 120, 0) : QColor(40, 120, 220);
  if (flag != TRowFlag::None && !(state & gdSelected) && !CellMarked(col, row))
    canvas.setBrush(flag == TRowFlag::Problem ? QColor(255, 228, 180) : QColor(215, 232, 255));
  canvas.setPen(textColor);

  SetDefaultDrawing(false);
  canvas.fillRect(rect, canvas.brush());
  if (flag != TRowFlag::None)
    canvas.fillRect(QRect(rect.left(), rect.top(), 3, rect.height()), flagColor);
  DrawCellText(canvas, flag != TRowFlag::None ? rect.adjusted(3, 0, 0, 0) : rect, multiLine ? Cells(col, row) : ShownText(col, row),
               row < FixedRows() ? column->HeaderAlignment() : column->Alignment());
  TStringGrid::DrawCell(canvas, col, row, rect, state);

  const QColor lineColor = ColorToQColor(state & gdFixed ? fixedLineColor : gridLineColor, palette());
  for (int grow = 1; grow <= GridLineWidth(); ++grow) {
    const QRect frame = rect.adjusted(-grow, -grow, grow, grow);
    canvas.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), lineColor);
    canvas.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), lineColor);
    canvas.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), lineColor);
    canvas.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), lineColor);
  }
  SetDefaultDrawing(true);
}

void TXStringGrid::DrawCellText(QPainter &canvas, const QRect &rect, const QString &text, TAlignment alignment) const {
  int flags = Qt::AlignTop;
  switch (alignment) {
  case taLeftJustify: flags |= Qt::AlignLeft; break;
  case taRightJustify: flags |= Qt::AlignRight; break;
  case taCenter: flags |= Qt::AlignHCenter; break;
  }
  flags |= multiLine ? Qt::TextWordWrap : Qt::TextSingleLine;
  // The text starts 2 pixels below the top edge when its line fits the cell so; otherwise it moves up, as far
  // as the top edge, so that underscores, descenders and accents are not cut off at the bottom.
  const int lineHeight = QFontMetrics(canvas.font()).height();
  const int top = std::clamp(rect.height() - lineHeight, 0, 2);
  // drawText clips to the rectangle and shows "&" as itself.
  canvas.drawText(rect.adjusted(2, top, -2, 0), flags, text);
}

const QFont &TXStringGrid::CellFont(int col, int row) const {
  const TXStringColumnItem *column = columns->Items(col);
  if (row < FixedRows())
    return column->HeaderFont();
  return col >= FixedCols() ? column->Font() : font();
}

QString TXStringGrid::ShownText(int col, int row) const {
  const int width = ColWidths(col) - 4;
  return QFontMetrics(CellFont(col, row)).elidedText(Cells(col, row), Qt::ElideMiddle, std::max(width, 0));
}

void TXStringGrid::SetCellMarked(int col, int row, bool marked) {
  if (marked == CellMarked(col, row))
    return;
  if (marked)
    markedCells.insert({col, row});
  else
    markedCells.erase({col, row});
  InvalidateCell(col, row);
}

void TXStringGrid::SetRowFlag(int row, TRowFlag flag) {
  if (flag == RowFlag(row))
    return;
  if (flag == TRowFlag::None)
    rowFlags.erase(row);
  else
    rowFlags[row] = flag;
  InvalidateCell(0, row);
}

TXStringGrid::TRowFlag TXStringGrid::RowFlag(int row) const {
  const auto found = rowFlags.find(row);
  return found != rowFlags.end() ? found->second : TRowFlag::None;
}

void TXStringGrid::ClearCellMarks() {
  markedCells.clear();
  InvalidateGrid();
}

bool TXStringGrid::viewportEvent(QEvent *event) {
  if (event->type() != QEvent::ToolTip)
    return TStringGrid::viewportEvent(event);
  auto *help = static_cast<QHelpEvent *>(event);
  const QPoint cell = MouseToCell(help->pos());
  const QString text = Cells(cell.x(), cell.y());
  if (cell.x() >= 0 && !multiLine && ShownText(cell.x(), cell.y()) != text)
    QToolTip::showText(help->globalPos(), text, viewport(), CellRect(cell.x(), cell.y()));
  else
    QToolTip::hideText();
  return true;
}

// --- editing --------------------------------------------------------------------------------------------------

bool TXStringGrid::CanEditShow() {
  if (!TStringGrid::CanEditShow() || !hasFocus() || Row() < FixedRows())
    return false;
  TCellEditor *editor = columns->Items(Col())->Editor();
  if (!editor)
    return false;
  activeEditor = editor;
  try {
    editor->StartEdit();
  } catch (...) {
    activeEditor = nullptr;
    throw;
  }
  editCol = Col();
  editRow = Row();
  ShowEditorAt(Col(), Row());
  return false;
}

void TXStringGrid::ShowEditorAt(int col, int row) {
  TXStringColumnItem *column = columns->Items(col);
  if (!column->Editor())
    return;
  if (OnDrawEditor) {
    OnDrawEditor(this, col, row, column->Editor());
    return;
  }
  column->PlaceEditor(row);
}

void TXStringGrid::TopLeftChanged() {
  TStringGrid::TopLeftChanged();
  // The editor follows the cell it edits, which is not necessarily the current one.
  if (activeEditor)
    ShowEditorAt(editCol, editRow);
}

void TXStringGrid::KeyPress(char32_t &key) {
  if (immediateEditMode)
    pendingChar = (Options() & goEditing) && key >= 32 && key != 127 ? key : 0;
  TStringGrid::KeyPress(key);
  // A character that opened no editor is not kept for some later edit.
  if (!activeEditor)
    pendingChar = 0;
}

void TXStringGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos) {
  const QPoint cell = MouseToCell(pos);
  if (cell.x() >= 0) {
    const bool fixed = cell.x() < FixedCols() || cell.y() < FixedRows();
    if ((Options() & goAlwaysShowEditor) && !fixed && activeEditor)
      activeEditor->CommitEdit();
    const bool extending = (shift & Qt::ShiftModifier) && (Options() & goRangeSelect) && !fixed;
    if (extending && activeEditor) {
      activeEditor->CommitEdit();
      activeEditor->Hide();
    }
    if (!extending && SelectCell(cell.x(), cell.y())) {
      if (activeEditor)
        activeEditor->Hide();
      if (!fixed)
        SetSelection({cell.x(), cell.y(), cell.x(), cell.y()});
    }
  }
  TStringGrid::MouseDown(button, shift, pos);
}

void TXStringGrid::mouseMoveEvent(QMouseEvent *event) {
  const QPoint cell = MouseToCell(event->position().toPoint());
  if (activeEditor && (event->buttons() & Qt::LeftButton) && (Options() & goRangeSelect) && cell.x() >= FixedCols() &&
      cell.y() >= FixedRows() && (cell.x() != editCol || cell.y() != editRow)) {
    activeEditor->CommitEdit();
    activeEditor->Hide();
    setFocus(Qt::MouseFocusReason);
  }
  TStringGrid::mouseMoveEvent(event);
}

void TXStringGrid::CommitActiveEditor() {
  if (activeEditor)
    activeEditor->CommitEdit();
}

std::string TXStringGrid::GetCell(int col, int row) const { return Cells(col, row).toStdString(); }

void TXStringGrid::SetCell(int col, int row, const std::string &text) {
  const QUtf8StringView utf8(text);
  if (QAnyStringView::equal(CellText(col, row), utf8) || col < 0 || col >= ColCount())
    return;
  // A list repeats its texts down a column (True, 0, 255, .WAV): the column's last text is shared rather than
  // converted into a block of its own for every cell.
  if (recentTexts.size() != static_cast<std::size_t>(ColCount()))
    recentTexts.assign(static_cast<std::size_t>(ColCount()), QString());
  QString &recent = recentTexts[static_cast<std::size_t>(col)];
  if (!QAnyStringView::equal(recent, utf8))
    recent = utf8.toString();
  SetCells(col, row, recent);
}
