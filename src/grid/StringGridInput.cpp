// The string grid's keyboard and mouse handling and its default painting.
#include "grid/StringGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

using namespace ColorValues;

// --- editing triggers -----------------------------------------------------------------------------------------

void TStringGrid::ShowEditor() {
  editorMode = true;
  CanEditShow();
}

bool TStringGrid::CanEditShow() {
  return (options & goEditing) && !(options & goRowSelect) && editorMode &&
         (window()->focusWidget() == this || (options & goAlwaysShowEditor));
}

// --- keyboard -------------------------------------------------------------------------------------------------

bool TStringGrid::event(QEvent *event) {
  // Tab and Shift+Tab move between cells instead of between controls when goTabs is on.
  if (event->type() == QEvent::KeyPress && (options & goTabs)) {
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    if ((keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab) &&
        !(keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      keyPressEvent(keyEvent);
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void TStringGrid::keyPressEvent(QKeyEvent *event) {
  int key = event->key();
  KeyDown(key, event->modifiers());
  const QList<uint> text = event->text().toUcs4();
  if (key != 0 && !text.isEmpty()) {
    char32_t ch = text.first();
    KeyPress(ch);
  }
  event->accept();
}

void TStringGrid::KeyDown(int &key, Qt::KeyboardModifiers shift) {
  const bool ctrl = shift & Qt::ControlModifier;
  const bool backwards = key == Qt::Key_Backtab || (key == Qt::Key_Tab && (shift & Qt::ShiftModifier));
  int col = currentCol;
  int row = currentRow;
  switch (key) {
  case Qt::Key_Up: --row; break;
  case Qt::Key_Down: ++row; break;
  case Qt::Key_Left: --col; break;
  case Qt::Key_Right: ++col; break;
  case Qt::Key_PageUp: row -= std::max(1, VisibleRowCount()); break;
  case Qt::Key_PageDown: row += std::max(1, VisibleRowCount()); break;
  case Qt::Key_Home:
    if (ctrl)
      row = fixedRows;
    else
      col = fixedCols;
    break;
  case Qt::Key_End:
    if (ctrl)
      row = rowCount - 1;
    else
      col = colCount - 1;
    break;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    if (!(options & goTabs))
      return;
    if (NextTabCell(backwards, col, row))
      FocusCell(col, row, true);
    else
      focusNextPrevChild(!backwards);
    return;
  case Qt::Key_F2:
    ShowEditor();
    return;
  default:
    return;
  }
  col = std::clamp(col, fixedCols, colCount - 1);
  row = std::clamp(row, fixedRows, rowCount - 1);
  if (col != currentCol || row != currentRow) {
    const bool extend = (shift & Qt::ShiftModifier) && key != Qt::Key_Tab && key != Qt::Key_Backtab;
    FocusCell(col, row, !extend);
  }
}

bool TStringGrid::NextTabCell(bool backwards, int &col, int &row) {
  col = currentCol;
  row = currentRow;
  for (;;) {
    if (backwards) {
      if (--col < fixedCols) {
        col = colCount - 1;
        if (--row < fixedRows)
          return false;
      }
    } else if (++col >= colCount) {
      col = fixedCols;
      if (++row >= rowCount)
        return false;
    }
    if (SelectCell(col, row))
      return true;
  }
}

bool TStringGrid::TabLeavesGrid(bool backwards) {
  int col = 0, row = 0;
  return (options & goTabs) && !NextTabCell(backwards, col, row);
}

void TStringGrid::KeyPress(char32_t &key) {
  if (key == U'\r' && !(options & goAlwaysShowEditor)) {
    if (options & goEditing)
      ShowEditor();
    key = 0;
    return;
  }
  if ((options & goEditing) && (key == 8 || (key >= 32 && key != 127)))
    ShowEditor();
}

// --- mouse ----------------------------------------------------------------------------------------------------

void TStringGrid::mousePressEvent(QMouseEvent *event) {
  const QPoint pos = event->position().toPoint();
  const int boundary = options & goColSizing ? SizingBoundaryAt(pos) : -1;
  if (event->button() == Qt::LeftButton && boundary >= 0) {
    // Sizing takes neither a cell nor a column move; taking the focus ends an edit in progress, as a press does.
    setFocus(Qt::MouseFocusReason);
    gridState = TGridState::ColSizing;
    sizingCol = boundary;
    sizingGrab = pos.x() - (ColLeft(boundary) + colWidths[boundary]);
    return;
  }
  MouseDown(event->button(), event->modifiers(), pos);
}

void TStringGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos) {
  setFocus(Qt::MouseFocusReason);
  if (button != Qt::LeftButton)
    return;
  const QPoint cell = MouseToCell(pos);
  if (cell.x() < 0)
    return;
  if (cell.y() < fixedRows && cell.x() >= fixedCols && (options & goColMoving)) {
    gridState = TGridState::ColMoving;
    movingFrom = cell.x();
    return;
  }
  if (cell.x() < fixedCols || cell.y() < fixedRows)
    return;
  gridState = TGridState::Selecting;
  if ((options & goRangeSelect) && (shift & Qt::ShiftModifier)) {
    FocusCell(cell.x(), cell.y(), false);
    return;
  }
  if (options & goEditing) {
    if (cell.x() == currentCol && cell.y() == currentRow)
      ShowEditor();
    else
      FocusCell(cell.x(), cell.y(), true);
    return;
  }
  FocusCell(cell.x(), cell.y(), true);
}

void TStringGrid::mouseMoveEvent(QMouseEvent *event) {
  if (gridState == TGridState::ColSizing) {
    // No wider than the grid shows from the column's left edge on, so that its boundary stays within reach.
    const int left = ColLeft(sizingCol);
    const int x = std::min(event->position().toPoint().x() - sizingGrab, viewport()->width());
    if (left >= 0) {
      colSizedByUser[sizingCol] = true;
      SetColWidths(sizingCol, std::max(x - left, MinSizedColWidth));
    }
    return;
  }
  if (options & goColSizing) {
    if (event->buttons() == Qt::NoButton && SizingBoundaryAt(event->position().toPoint()) >= 0)
      viewport()->setCursor(Qt::SplitHCursor);
    else
      viewport()->unsetCursor();
  }
  if (gridState != TGridState::Selecting || !(event->buttons() & Qt::LeftButton))
    return;
  const QPoint cell = MouseToCell(event->position().toPoint());
  if (cell.x() >= fixedCols && cell.y() >= fixedRows && (cell.x() != currentCol || cell.y() != currentRow))
    FocusCell(cell.x(), cell.y(), false);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent *event) {
  if (gridState == TGridState::ColMoving) {
    const int target = MouseToCell(event->position().toPoint()).x();
    if (target >= fixedCols && target != movingFrom)
      MoveColumn(movingFrom, target);
  }
  gridState = TGridState::Normal;
  movingFrom = -1;
  sizingCol = -1;
}

void TStringGrid::focusInEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusInEvent(event);
  InvalidateGrid();
  if ((options & goAlwaysShowEditor) && (options & goEditing))
    ShowEditor();
}

void TStringGrid::focusOutEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (!(options & goAlwaysShowEditor))
    HideEditor();
  InvalidateGrid();
}

// --- painting -------------------------------------------------------------------------------------------------

void TStringGrid::paintEvent(QPaintEvent *) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), ColorToQColor(cellColor, palette()));
  // The fixed lines, then the scrolled ones from the first visible on.
  const auto first = [](int fixedCount, int firstScrolled) { return fixedCount > 0 ? 0 : firstScrolled; };
  const auto next = [](int index, int fixedCount, int firstScrolled) {
    return index + 1 == fixedCount ? std::max(firstScrolled, index + 1) : index + 1;
  };
  const auto paintDisplayed = [&](auto paintOne) {
    for (int row = first(fixedRows, topRow); row < rowCount; row = next(row, fixedRows, topRow)) {
      if (RowTop(row) >= viewport()->height())
        break;
      for (int col = first(fixedCols, leftCol); col < colCount; col = next(col, fixedCols, leftCol)) {
        const QRect box = CellBox(col, row);
        if (box.left() >= viewport()->width())
          break;
        paintOne(col, row, box);
      }
    }
  };
  // Lines first, so that cells drawing over their own edges keep what they drew.
  paintDisplayed([&](int col, int row, const QRect &box) { PaintLines(painter, col, row, box); });
  paintDisplayed([&](int col, int row, const QRect &box) { PaintCell(painter, col, row, box); });
}

void TStringGrid::PaintLines(QPainter &painter, int col, int row, const QRect &box) {
  if (gridLineWidth <= 0)
    return;
  const bool fixed = col < fixedCols || row < fixedRows;
  const QColor color = fixed ? palette().color(QPalette::Dark) : ColorToQColor(clSilver);
  const int lineWidth = gridLineWidth;
  if (options & (fixed ? goFixedVertLine : goVertLine))
    painter.fillRect(QRect(box.right() + 1, box.top(), lineWidth, box.height() + lineWidth), color);
  if (options & (fixed ? goFixedHorzLine : goHorzLine))
    painter.fillRect(QRect(box.left(), box.bottom() + 1, box.width() + lineWidth, lineWidth), color);
}

void TStringGrid::PaintCell(QPainter &painter, int col, int row, const QRect &box) {
  TGridDrawState state;
  const bool fixed = col < fixedCols || row < fixedRows;
  if (fixed)
    state |= gdFixed;
  if (hasFocus() && col == currentCol && row == currentRow)
    state |= gdFocused;
  if (!fixed && Selection().Contains(col, row))
    state |= gdSelected;

  painter.save();
  painter.setFont(font());
  const bool highlight = (state & gdSelected) &&
                         (!(state & gdFocused) || (options & (goDrawFocusSelected | goRowSelect)));
  const TColor brush = highlight ? clHighlight : fixed ? fixedColor : cellColor;
  painter.setBrush(ColorToQColor(brush, palette()));
  painter.setPen(ColorToQColor(highlight ? clHighlightText : fontColor, palette()));
  painter.fillRect(box, painter.brush());
  DrawCell(painter, col, row, box, state);
  painter.restore();
}

void TStringGrid::DrawCell(QPainter &canvas, int col, int row, const QRect &rect, TGridDrawState state) {
  if (defaultDrawing)
    canvas.drawText(rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Cells(col, row));
  if (OnDrawCell)
    OnDrawCell(this, canvas, col, row, rect, state);
}
