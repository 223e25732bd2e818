// A general table of text cells with fixed header rows and columns, the base the column-settings grid builds on.
#pragma once

#include "grid/GridTypes.h"

#include <QAbstractScrollArea>
#include <QString>
#include <functional>
#include <vector>

class QPainter;

// Cells scroll by whole rows and columns below and beside the fixed ones. The grid has no editor of its own:
// whenever it would open one it asks CanEditShow(), which a derived grid answers by showing its own editors.
// Cell rectangles and mouse points are in viewport coordinates.
class TStringGrid : public QAbstractScrollArea {
  Q_OBJECT

public:
  explicit TStringGrid(QWidget *parent = nullptr);

  QString Cells(int col, int row) const;
  void SetCells(int col, int row, const QString &text);
  // The same text without a copy; an empty text outside the grid.
  const QString &CellText(int col, int row) const;

  int ColCount() const { return colCount; }
  void SetColCount(int count);
  int RowCount() const { return rowCount; }
  void SetRowCount(int count);
  // Takes these rows out (fixed rows and rows outside the grid are left alone); the rows below move up and the
  // row count drops by the number taken. The current cell keeps its place as far as the rows still reach.
  virtual void DeleteRows(std::vector<int> rows);
  int FixedCols() const { return fixedCols; }
  void SetFixedCols(int count);
  int FixedRows() const { return fixedRows; }
  void SetFixedRows(int count);

  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  // With goColSizing the user sizes a column by dragging its right boundary in a fixed row; no narrower than this.
  static constexpr int MinSizedColWidth = 16;
  // Whether the user sized the column (or its width was given back as the user's); SetColWidths leaves this alone.
  bool ColSizedByUser(int col) const;
  void SetColSizedByUser(int col, bool sized);
  int DefaultColWidth() const { return defaultColWidth; }
  void SetDefaultColWidth(int width); // also resets every column's width and forgets the user's sizing
  int DefaultRowHeight() const { return defaultRowHeight; }
  void SetDefaultRowHeight(int height);
  int GridLineWidth() const { return gridLineWidth; }
  void SetGridLineWidth(int width);

  TGridOptions Options() const { return options; }
  void SetOptions(TGridOptions value);
  TColor FixedColor() const { return fixedColor; }
  void SetFixedColor(TColor color);
  TColor Color() const { return cellColor; }
  void SetColor(TColor color);
  TFont Font() const { return TFont(font(), fontColor); }
  void SetFont(const TFont &value);
  bool DefaultDrawing() const { return defaultDrawing; }
  void SetDefaultDrawing(bool value) { defaultDrawing = value; }

  // The current cell; moving it asks SelectCell() first.
  int Col() const { return currentCol; }
  void SetCol(int col) { FocusCell(col, currentRow, true); }
  int Row() const { return currentRow; }
  void SetRow(int row) { FocusCell(currentCol, row, true); }
  TGridRect Selection() const;
  // Selects the block and makes its bottom-right corner the current cell, without asking SelectCell().
  void SetSelection(const TGridRect &rect);

  int TopRow() const { return topRow; }
  void SetTopRow(int row);
  int LeftCol() const { return leftCol; }
  void SetLeftCol(int col);
  int VisibleRowCount() const;
  int VisibleColCount() const;

  // The visible part of a cell, empty when the cell is scrolled out of view.
  QRect CellRect(int col, int row) const;
  // The cell under a point, or (-1, -1).
  QPoint MouseToCell(const QPoint &pos) const;

  void MoveColumn(int from, int to);
  void InvalidateCell(int col, int row);
  void InvalidateCol(int col);
  void InvalidateGrid();

  bool EditorMode() const { return editorMode; }
  virtual QString GetEditText(int col, int row) const;
  // Stores the text when it differs, then raises OnSetEditText.
  virtual void SetEditText(int col, int row, const QString &text);
  // The grid's own key handling: arrows, PgUp/PgDn, Home/End, Tab with goTabs, F2. In-place editors hand keys here.
  virtual void KeyDown(int &key, Qt::KeyboardModifiers shift);
  // Whether Tab (Shift+Tab when backwards) would leave the grid, having no cell left to move to.
  bool TabLeavesGrid(bool backwards);

  std::function<void(TStringGrid *sender, int col, int row, bool &canSelect)> OnSelectCell;
  std::function<void(TStringGrid *sender, QPainter &canvas, int col, int row, const QRect &rect, TGridDrawState state)>
      OnDrawCell;
  std::function<void(TStringGrid *sender, int col, int row, const QString &value)> OnSetEditText;

signals:
  // The current cell or the selected block moved.
  void CurrentCellChanged();

protected:
  // The canvas arrives with the grid's font, the cell's colour as brush and the font colour as pen, cell filled.
  virtual void DrawCell(QPainter &canvas, int col, int row, const QRect &rect, TGridDrawState state);
  // Asked whenever the grid would open an editor on the current cell.
  virtual bool CanEditShow();
  virtual bool SelectCell(int col, int row);
  virtual void SizeChanged(int oldColCount, int oldRowCount);
  virtual void ColumnMoved(int from, int to);
  virtual void TopLeftChanged();
  // A typed character (Enter is '\r', Backspace 8); 0 after the call swallows it.
  virtual void KeyPress(char32_t &key);
  virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos);

  // The rows DeleteRows takes of these: ascending, each once, none fixed or outside the grid.
  std::vector<int> DeletableRows(std::vector<int> rows) const;
  void ShowEditor();
  void HideEditor() { editorMode = false; }
  // Moves the current cell if SelectCell() accepts it; moveAnchor false extends the selection instead.
  void FocusCell(int col, int row, bool moveAnchor);
  // Tab's step to the next (or previous) cell that SelectCell() accepts, row by row; false when there is none,
  // and Tab then passes the focus on to the next (or previous) control of the window.
  bool NextTabCell(bool backwards, int &col, int &row);

  bool event(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  enum class TGridState { Normal, Selecting, ColMoving, ColSizing };

  QRect CellBox(int col, int row) const; // unclipped; empty when the cell is not displayed
  int ColLeft(int col) const;
  int RowTop(int row) const;
  int FixedWidth() const;
  int FixedHeight() const;
  int MaxTopRow() const;
  int MaxLeftCol() const;
  // The column whose right boundary in a fixed row is under the point, within a few pixels; -1 when none.
  int SizingBoundaryAt(const QPoint &pos) const;
  void ClampInView(int col, int row);
  void ClampCurrent();
  void UpdateScrollBars();
  // The scroll bars' ranges and positions from the grid's, without the bars' signals scrolling the grid.
  void SetScrollRanges();
  void PaintCell(QPainter &painter, int col, int row, const QRect &box);
  void PaintLines(QPainter &painter, int col, int row, const QRect &box);

  static std::size_t CellCount(int cols, int rows) { return static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows); }
  std::size_t CellIndex(int col, int row) const { return CellCount(colCount, row) + static_cast<std::size_t>(col); }

  // Row after row, colCount cells each: one block however many rows a list brings.
  std::vector<QString> cells;
  std::vector<int> colWidths;
  std::vector<bool> colSizedByUser;
  int colCount = 5;
  int rowCount = 5;
  int fixedCols = 1;
  int fixedRows = 1;
  int defaultColWidth = 64;
  int defaultRowHeight = 24;
  int gridLineWidth = 1;
  TGridOptions options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TColor fixedColor = ColorValues::clBtnFace;
  TColor cellColor = ColorValues::clWindow;
  TColor fontColor = ColorValues::clWindowText;
  bool defaultDrawing = true;
  int currentCol = 1;
  int currentRow = 1;
  int anchorCol = 1;
  int anchorRow = 1;
  int topRow = 1;
  int leftCol = 1;
  bool editorMode = false;
  TGridState gridState = TGridState::Normal;
  int movingFrom = -1;
  int sizingCol = -1;
  // Where in the boundary the drag took hold, so that the boundary does not jump to the pointer.
  int sizingGrab = 0;
};
