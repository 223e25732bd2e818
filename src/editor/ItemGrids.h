// The two item grids of the main window: their layout, columns and cell editors, the removal mark.
#pragma once

#include <QString>

class TComboCellEditor;
class TEditCellEditor;
class TUpDownCellEditor;
class TXStringGrid;

// What both grids share: 11 rows of 17 pixels, 3 fixed columns, editing, columns sized by dragging, scroll bars
// as needed, centred text.
void SetupItemGrid(TXStringGrid &grid, int colCount);
// Jméno, Ext, Velikost, then Transparent, TransparentColor and the four pattern and skip sizes.
void SetupImageColumns(TXStringGrid &grid, TComboCellEditor &transparent, TEditCellEditor &color,
                       TUpDownCellEditor &sizes);
// Jméno, Ext, Velikost, then Looped, Frequency, Volume and Pan.
void SetupSoundColumns(TXStringGrid &grid, TComboCellEditor &looped, TUpDownCellEditor &frequency,
                       TUpDownCellEditor &volume, TUpDownCellEditor &pan);
// A drop-down list of "True" and "False", no free text.
void SetupBooleanEditor(TComboCellEditor &editor);
void SetupSpinEditor(TUpDownCellEditor &editor, int min, int max, const QString &defaultText);

// The removal mark "* " in front of a name cell's text.
bool HasRemoveMark(const QString &nameCell);
// Moves the current cell there through the grid's selection rule, column first, then row.
void SetCurrentCell(TXStringGrid &grid, int col, int row);
