// The item grids' columns as the list knows them: the three fixed facts, then one column per attribute of the kind.
#pragma once

#include "media/FileListItems.h"

#include <string>
#include <vector>

// Columns 0-2 hold the name, the extension and the size; the attributes follow from this column on.
constexpr int FirstAttributeColumn = 3;

// The attribute names of a kind in column order (Transparent … SkipWidth, Looped … Pan); empty for another kind.
const std::vector<std::string> &AttributeNames(TMediaKind kind);
// Whether text converts to the attribute shown in column col of a kind's grid; other columns accept anything.
bool AttributeTextValid(TMediaKind kind, int col, const std::string &text);
