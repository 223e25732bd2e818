// The columns of the item grids, one table per media kind: where each value shows, its caption and width, how
// the grid edits it, its `tvk` key, and how its text converts to and from the entry. An attribute is added here.
#pragma once

#include "media/FileListItems.h"

#include <string>
#include <vector>

// How the item grid edits a column's cells.
enum class TCellEditing { None, Boolean, Color, Size, Frequency, Volume, Pan };

struct TItemColumn {
  int Index;
  const char *Caption;
  int Width;
  TCellEditing Editing;
  const char *Key; // the value's name on tvk's command line and in its listings
  std::string (*ToText)(const TFileListItem &item);
  // Stores a cell's text in the entry, or throws EConvertError; null where the grid only shows the value.
  void (*FromText)(TFileListItem &item, const std::string &text);
};

// The columns of the grid of kind (images or sounds), in grid order.
const std::vector<TItemColumn> &ItemColumns(TMediaKind kind);

// Every kind shows the name, the extension and the size in its first three columns; the attributes follow from
// FirstAttributeColumn on.
constexpr int NameColumnIndex = 0;
constexpr int ExtColumnIndex = 1;
constexpr int SizeColumnIndex = 2;
constexpr int FirstAttributeColumn = 3;

// The attribute names of a kind in column order (Transparent … SkipWidth, Looped … Pan); empty for another kind.
const std::vector<std::string> &AttributeNames(TMediaKind kind);
// Whether text converts to the attribute shown in column col of a kind's grid; other columns accept anything.
bool AttributeTextValid(TMediaKind kind, int col, const std::string &text);
