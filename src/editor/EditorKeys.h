// The main window's keyboard: menu mnemonics, the shortcuts shown in the menus, and the marker of the current row.
#pragma once

class QMainWindow;
class TXStringGrid;

// Underlines S, N and P of "Soubor", "Nastavení" and "Nápověda" and gives the menu entries their shortcuts,
// each found by its object name.
void ApplyMenuKeys(QMainWindow &window);
// The name, extension and size cells of the current row are tinted, so the row stays visible also while the
// focus is elsewhere or the current cell is scrolled sideways.
void MarkCurrentRow(TXStringGrid &grid);
