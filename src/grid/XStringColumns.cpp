// Column settings: each entry reads its caption and width from the grid and repaints its column on change.
#include "grid/XStringColumns.h"

#include "grid/CellEditor.h"
#include "grid/XStringGrid.h"

#include <algorithm>
#include <stdexcept>

TXStringColumnItem::TXStringColumnItem(TXStringColumns *owner)
    : collection(owner), headerColor(owner->Grid()->FixedColor()), headerFont(owner->Grid()->Font()),
      color(owner->Grid()->Color()), font(owner->Grid()->Font()) {}

TXStringColumnItem::~TXStringColumnItem() { SetEditor(nullptr); }

int TXStringColumnItem::Index() const { return collection->IndexOf(this); }

TXStringGrid *TXStringColumnItem::Grid() const { return collection->Grid(); }

void TXStringColumnItem::RepaintColumn() {
  const int index = Index();
  if (index >= 0)
    Grid()->InvalidateCol(index);
}

void TXStringColumnItem::SetHeaderColor(TColor value) {
  headerColor = value;
  RepaintColumn();
}

void TXStringColumnItem::SetHeaderFont(const TFont &value) {
  headerFont = value;
  RepaintColumn();
}

void TXStringColumnItem::SetHeaderAlignment(TAlignment value) {
  if (value == headerAlignment)
    return;
  headerAlignment = value;
  RepaintColumn();
}

QString TXStringColumnItem::Caption() const { return Grid()->Cells(Index(), 0); }

void TXStringColumnItem::SetCaption(const QString &caption) { Grid()->SetCells(Index(), 0, caption); }

void TXStringColumnItem::SetColor(TColor value) {
  color = value;
  RepaintColumn();
}

int TXStringColumnItem::Width() const { return Grid()->ColWidths(Index()); }

void TXStringColumnItem::SetWidth(int width) { Grid()->SetColWidths(Index(), width); }

void TXStringColumnItem::SetFont(const TFont &value) {
  font = value;
  RepaintColumn();
}

void TXStringColumnItem::SetAlignment(TAlignment value) {
  if (value == alignment)
    return;
  alignment = value;
  RepaintColumn();
}

void TXStringColumnItem::SetEditor(TCellEditor *value) {
  if (value == editor)
    return;
  if (value)
    value->Attach(Grid());
  if (editor)
    editor->Detach();
  editor = value;
}

void TXStringColumnItem::Assign(const TXStringColumnItem &source) {
  SetHeaderColor(source.headerColor);
  headerFont = source.headerFont;
  SetColor(source.color);
  font = source.font;
  SetAlignment(source.alignment);
  SetHeaderAlignment(source.headerAlignment);
  SetCaption(source.Caption());
  SetEditor(nullptr);
}

void TXStringColumnItem::PlaceEditor(int row) {
  if (!editor)
    return;
  const QRect rect = Grid()->CellRect(Index(), row);
  if (!rect.isEmpty())
    editor->ShowAt(rect);
}

TXStringColumns::TXStringColumns(TXStringGrid *owner) : grid(owner) {}

TXStringColumns::~TXStringColumns() { Clear(); }

int TXStringColumns::IndexOf(const TXStringColumnItem *item) const {
  const auto found = std::find_if(items.begin(), items.end(), [item](const auto &each) { return each.get() == item; });
  return found == items.end() ? -1 : int(found - items.begin());
}

TXStringColumnItem *TXStringColumns::Add() {
  items.push_back(std::make_unique<TXStringColumnItem>(this));
  return items.back().get();
}

void TXStringColumns::Delete(int index) {
  if (index < 0 || index >= Count())
    throw std::out_of_range("column index out of range");
  items.erase(items.begin() + index);
}

void TXStringColumns::Move(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count())
    return;
  auto item = std::move(items[from]);
  items.erase(items.begin() + from);
  items.insert(items.begin() + to, std::move(item));
}

void TXStringColumns::Clear() {
  while (!items.empty())
    Delete(Count() - 1);
}

void TXStringColumns::Assign(const TXStringColumns &source) {
  if (&source == this)
    return;
  Clear();
  for (const auto &item : source.items)
    Add()->Assign(*item);
}
