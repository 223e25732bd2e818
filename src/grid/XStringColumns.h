// Per-column settings of the column-settings grid: header and cell colours, fonts, alignments and cell editor.
#pragma once

#include "grid/GridTypes.h"

#include <QString>
#include <memory>
#include <vector>

class TCellEditor;
class TXStringColumns;
class TXStringGrid;

// The settings of one grid column; its index in the collection is its column number. Caption and Width keep
// nothing of their own: they are the grid's row-0 cell and column width.
class TXStringColumnItem {
public:
  explicit TXStringColumnItem(TXStringColumns *collection);
  virtual ~TXStringColumnItem();
  TXStringColumnItem(const TXStringColumnItem &) = delete;
  TXStringColumnItem &operator=(const TXStringColumnItem &) = delete;

  int Index() const;
  TXStringColumns *Collection() const { return collection; }
  TXStringGrid *Grid() const;

  TColor HeaderColor() const { return headerColor; }
  void SetHeaderColor(TColor color);
  // Changing the font in place repaints nothing until the grid is next painted.
  TFont &HeaderFont() { return headerFont; }
  const TFont &HeaderFont() const { return headerFont; }
  void SetHeaderFont(const TFont &font);
  TAlignment HeaderAlignment() const { return headerAlignment; }
  void SetHeaderAlignment(TAlignment alignment);
  QString Caption() const;
  void SetCaption(const QString &caption);
  TColor Color() const { return color; }
  void SetColor(TColor value);
  int Width() const;
  void SetWidth(int width);
  TFont &Font() { return font; }
  const TFont &Font() const { return font; }
  void SetFont(const TFont &value);
  TAlignment Alignment() const { return alignment; }
  void SetAlignment(TAlignment value);
  // Not owned. Attaching may fail with ECellEditorError, and then the column keeps its editor.
  TCellEditor *Editor() const { return editor; }
  void SetEditor(TCellEditor *value);

  // Copies everything but Width, and leaves the column without an editor.
  void Assign(const TXStringColumnItem &source);
  // Shows the editor over this column's cell in the row, when that cell is visible.
  virtual void PlaceEditor(int row);

private:
  void RepaintColumn();

  TXStringColumns *collection;
  TColor headerColor;
  TFont headerFont;
  TAlignment headerAlignment = taLeftJustify;
  TColor color;
  TFont font;
  TAlignment alignment = taLeftJustify;
  TCellEditor *editor = nullptr;
};

// One entry per column of its grid, which owns the collection.
class TXStringColumns {
public:
  explicit TXStringColumns(TXStringGrid *grid);
  ~TXStringColumns();
  TXStringColumns(const TXStringColumns &) = delete;
  TXStringColumns &operator=(const TXStringColumns &) = delete;

  TXStringGrid *Grid() const { return grid; }
  int Count() const { return int(items.size()); }
  // Throws std::out_of_range for an index without an entry.
  TXStringColumnItem *Items(int index) const { return items.at(std::size_t(index)).get(); }
  int IndexOf(const TXStringColumnItem *item) const;

  TXStringColumnItem *Add();
  void Delete(int index);
  void Move(int from, int to);
  void Clear();
  // Replaces every entry with a copy of the source's.
  void Assign(const TXStringColumns &source);

private:
  TXStringGrid *grid;
  std::vector<std::unique_ptr<TXStringColumnItem>> items;
};
