// The item grids' column widths: the name column taking the room the others leave, and the widths the user set
// by dragging, kept in config.ini and given back at the next start.
#pragma once

#include "media/FileListItems.h"

#include <vector>

class TXStringGrid;

// Column 0 takes the grid's width less 584 and less what the user added to the other columns, at most 300, so
// that at the design size it is as designed and the others stay in view; a name column the user sized keeps
// its width.
void WidenNameColumn(TXStringGrid &grid, TMediaKind kind);
// By column, the width the user set; 0 where the column has the width the program gives it.
std::vector<int> UserColumnWidths(const TXStringGrid &grid);
// Gives the user's widths back (0 keeps the default); a width that would hide a column, narrower than a drag
// can make it or wider than any screen, leaves that column at its default.
void RestoreColumnWidths(TXStringGrid &grid, TMediaKind kind, const std::vector<int> &widths);
// Every column back at its design width, none of them sized by the user.
void ResetColumnWidths(TXStringGrid &grid, TMediaKind kind);
