// Rewriting only the rows of the item grid that a move or a removal changed: a list of 50,000 entries answers
// Nahoru, Dolů and Odebrat at once, and every other row keeps exactly what it shows, typed texts and marks included.
#include "editor/fTovrikEditor.h"

#include "editor/ItemGrids.h"
#include "grid/XStringGrid.h"
#include "media/ItemColumns.h"
#include "media/MediaDocument.h"
#include "platform/CodePage.h"

#include <QStatusBar>

void TForm1::TakeOverRows(std::initializer_list<int> rows) {
  for (const int row : rows)
    if (Document().List.TakeOverRow(KindGrid(), mediaKind, row))
      SetModified(true);
}

void TForm1::RefillExchangedRows(int upper) {
  TXStringGrid &grid = KindGrid();
  const int lower = upper + 1;
  // The removal marks go with their entries, which have just changed places.
  const bool upperMarked = HasRemoveMark(grid.CellText(NameColumnIndex, upper));
  const bool lowerMarked = HasRemoveMark(grid.CellText(NameColumnIndex, lower));
  for (const auto &[row, marked] : {std::pair{upper, lowerMarked}, std::pair{lower, upperMarked}}) {
    Document().List.FillRow(grid, mediaKind, row);
    for (int col = 0; col < grid.ColCount(); ++col)
      grid.SetCellMarked(col, row, false);
    if (marked)
      grid.SetCells(NameColumnIndex, row, ToggleRemoveMark(grid.CellText(NameColumnIndex, row)));
  }
  RowsRefilled();
}

std::vector<int> TForm1::MarkedPositions() {
  // Exactly the marked rows: row n shows the entry at position n - 1, whatever other entries share its name.
  const TXStringGrid &grid = KindGrid();
  const auto &entries = Document().List.Items();
  std::vector<int> positions;
  for (int row = 1; row < grid.RowCount() && row <= static_cast<int>(entries.size()); ++row) {
    const QString &shown = grid.CellText(NameColumnIndex, row);
    const std::string &name = entries[static_cast<std::size_t>(row - 1)]->Name;
    // Only a name cell starting with the mark, or an entry whose own name does, can show a toggled name: the
    // other rows need no conversion of their names.
    if ((HasRemoveMark(shown) || name.starts_with("* ")) &&
        shown == ToggleRemoveMark(QString::fromStdString(Cp1250ToUtf8(name))))
      positions.push_back(row - 1);
  }
  return positions;
}

void TForm1::DropRowsOf(const std::vector<int> &positions) {
  TXStringGrid &grid = KindGrid();
  std::vector<int> rows;
  rows.reserve(positions.size());
  for (const int position : positions)
    rows.push_back(position + 1);
  // The rows below close up with their texts; the grid keeps its row count, as a refill would.
  const int rowCount = grid.RowCount();
  grid.DeleteRows(rows);
  grid.SetRowCount(rowCount);
  RowsRefilled();
}

void TForm1::RowsRefilled() {
  // The status bar names a text that is no value for as long as one is left in the grid.
  if (!KindGrid().HasCellMarks())
    statusBar()->clearMessage();
  UpdateStatusPanels();
  // The current row may show another entry now.
  PreviewCurrentEntry();
}
