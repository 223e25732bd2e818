// Several rows at once: the current cell's value copied into the selected cells of its column.
#pragma once

#include <functional>

class TXStringGrid;

// Ends an edit in progress, then copies the text of the cell where the selection began (the current cell before
// the block was stretched with Shift or the mouse) into every cell of the block in that column that shows an
// entry. Returns how many cells it wrote.
int FillSelection(TXStringGrid &grid);
// Ctrl+Enter in any of the grid's cell editors commits the edit into every selected cell of its column. The commit
// and the fill run inside asOne, so that whoever follows the edits can take them as one.
void FillOnCtrlEnter(TXStringGrid &grid, std::function<void(const std::function<void()> &fill)> asOne);
