// The string grid whose columns carry their own header and cell settings and an optional in-place cell editor;
// including this header gives the grid, its column settings and the cell editors.
#pragma once

#include "grid/CellEditors.h"
#include "grid/InplaceControls.h"
#include "grid/StringGrid.h"
#include "grid/XStringColumns.h"
#include "platform/TextGrid.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

// A cell is edited only through the editor attached to its column; the grid shows that editor over the cell
// whenever the base grid would open its own editor.
class TXStringGrid : public TStringGrid, public TTextGrid {
  Q_OBJECT

public:
  explicit TXStringGrid(QWidget *parent = nullptr);
  ~TXStringGrid() override;

  TColor FixedLineColor() const { return fixedLineColor; }
  void SetFixedLineColor(TColor color);
  TColor GridLineColor() const { return gridLineColor; }
  void SetGridLineColor(TColor color);
  TXStringColumns *Columns() const { return columns.get(); }
  // Copies the source's entries; the grid keeps exactly one entry per column whatever the source holds.
  void SetColumns(const TXStringColumns &source);
  bool MultiLine() const { return multiLine; }
  void SetMultiLine(bool value);
  bool ImmediateEditMode() const { return immediateEditMode; }
  void SetImmediateEditMode(bool value) { immediateEditMode = value; }

  // When assigned, it shows the editor instead of the default placement over the cell.
  std::function<void(TXStringGrid *sender, int col, int row, TCellEditor *editor)> OnDrawEditor;

  TCellEditor *ActiveEditor() const { return activeEditor; }
  // The cell whose edit started last; the editor writes its text back here.
  int EditCol() const { return editCol; }
  int EditRow() const { return editRow; }
  // A typed character that becomes the text of the next edit; 0 means none.
  char32_t PendingChar() const { return pendingChar; }
  void SetPendingChar(char32_t value) { pendingChar = value; }

  virtual void ShowEditorAt(int col, int row);
  // An edit in progress ends in its own cell first; the marks of the rows below move up with their cells.
  void DeleteRows(std::vector<int> rows) override;

  // A cell whose text is not what its column needs is drawn in red until its mark is taken away.
  void SetCellMarked(int col, int row, bool marked);
  bool CellMarked(int col, int row) const { return markedCells.contains({col, row}); }
  void ClearCellMarks();
  bool HasCellMarks() const { return !markedCells.empty(); }
  // A row whose entry the check found a problem in (or only a note about) shows it in its first cell: tinted, with
  // a bar at its left edge, so that it is seen at a glance.
  enum class TRowFlag { None, Note, Problem };
  void SetRowFlag(int row, TRowFlag flag);
  TRowFlag RowFlag(int row) const;
  // The cell text as drawn on one line: elided in the middle when wider than the cell.
  QString ShownText(int col, int row) const;

  std::string GetCell(int col, int row) const override;
  void SetCell(int col, int row, const std::string &text) override;
  int GetColCount() const override { return ColCount(); }
  int GetRowCount() const override { return RowCount(); }
  void SetRowCount(int count) override { TStringGrid::SetRowCount(count); }
  void CommitActiveEditor() override;

protected:
  void DrawCell(QPainter &canvas, int col, int row, const QRect &rect, TGridDrawState state) override;
  bool CanEditShow() override;
  void SizeChanged(int oldColCount, int oldRowCount) override;
  void ColumnMoved(int from, int to) override;
  void TopLeftChanged() override;
  void KeyPress(char32_t &key) override;
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos) override;
  // Dragging a block over other cells ends the edit that the press opened.
  void mouseMoveEvent(QMouseEvent *event) override;
  // A cell whose text is elided shows the whole text as its tooltip.
  bool viewportEvent(QEvent *event) override;
  // The grid's window goes away: every column's editor takes its in-place windows back.
  void DestroyWnd();

private:
  friend class TCellEditor; // an editor clears ActiveEditor when it hides
  void DrawCellText(QPainter &canvas, const QRect &rect, const QString &text, TAlignment alignment) const;
  const QFont &CellFont(int col, int row) const;

  std::unique_ptr<TXStringColumns> columns;
  TColor fixedLineColor = ColorValues::clBlack;
  TColor gridLineColor = ColorValues::clSilver;
  bool multiLine = false;
  bool immediateEditMode = false;
  TCellEditor *activeEditor = nullptr;
  int editCol = 0;
  int editRow = 0;
  char32_t pendingChar = 0;
  std::set<std::pair<int, int>> markedCells;
  std::map<int, TRowFlag> rowFlags;
  std::vector<QString> recentTexts; // by column, the last text SetCell wrote
};
