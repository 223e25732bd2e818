// Rewriting only the rows of the item grid that a move or a removal changed: a list of 50,000 entries answers
// Nahoru, Dolů and Odebrat at once, and every other row keeps exactly what it shows, typed texts and marks included.
#include "editor/fTovrikEditor.h"

#include "grid/XStringGrid.h"
#include "media/DocumentController.h"

#include <QStatusBar>

void TForm1::RefillRows(std::initializer_list<int> rows) {
  TXStringGrid &grid = KindGrid();
  for (const int row : rows) {
    Controller().FillViewRow(grid, row);
    for (int col = 0; col < grid.ColCount(); ++col)
      grid.SetCellMarked(col, row, false);
    if (const int position = Controller().PositionOfRow(row); position >= 0)
      for (const auto &[col, text] : Controller().StateAt(position).RefusedTexts)
        grid.SetCellMarked(col, row, true);
  }
  RowsRefilled();
}

void TForm1::DropRows(const std::vector<int> &rows) {
  TXStringGrid &grid = KindGrid();
  // The rows below close up with their texts; the grid keeps its row count, as a refill would.
  const int rowCount = grid.RowCount();
  grid.DeleteRows(rows);
  grid.SetRowCount(rowCount);
  RowsRefilled();
}

void TForm1::RowsRefilled() {
  // The marks follow their entries to their rows at once; the check itself comes a little later.
  ShowProblemMarks();
  // The status bar names a text that is no value for as long as one is left in the grid.
  if (!KindGrid().HasCellMarks())
    statusBar()->clearMessage();
  UpdateStatusPanels();
  // The current row may show another entry now.
  PreviewCurrentEntry();
}
