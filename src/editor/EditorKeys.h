// The main window's keyboard: menu mnemonics, the shortcuts shown in the menus, and the marker of the current row.
#pragma once

class QMainWindow;
class TXStringGrid;

// Gives the commands outside the main menu (the fill, the context menu's entries) their shortcuts, each found by
// its object name.
void ApplyMenuKeys(QMainWindow &window);
// The name, extension and size cells of the current row are tinted, so the row stays visible also while the
// focus is elsewhere or the current cell is scrolled sideways.
void MarkCurrentRow(TXStringGrid &grid);
