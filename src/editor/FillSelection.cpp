// Several rows at once: the current cell's value copied into the selected cells of its column.
#include "editor/FillSelection.h"

#include "grid/XStringGrid.h"
#include "media/ItemColumns.h"

#include <set>

namespace {
// Through the grid's set-edit-text, so that whoever follows the edits of cells hears of these too.
int FillColumn(TXStringGrid &grid, int col, const QString &text) {
  const TGridRect block = grid.Selection();
  if (col < grid.FixedCols() || col < block.Left || col > block.Right)
    return 0;
  int written = 0;
  for (int row = block.Top; row <= block.Bottom; ++row)
    if (!grid.Cells(ExtColumnIndex, row).isEmpty()) {
      grid.SetEditText(col, row, text);
      ++written;
    }
  return written;
}
} // namespace

int FillSelection(TXStringGrid &grid) {
  if (TCellEditor *editor = grid.ActiveEditor()) {
    editor->CommitEdit();
    editor->Hide();
    grid.setFocus(Qt::OtherFocusReason);
  }
  // The block's corners are the cell where the selection began and the current one: the value comes from the former.
  const TGridRect block = grid.Selection();
  const int col = block.Left + block.Right - grid.Col();
  const int row = block.Top + block.Bottom - grid.Row();
  return FillColumn(grid, col, grid.Cells(col, row));
}

void FillOnCtrlEnter(TXStringGrid &grid, std::function<void(const std::function<void()> &fill)> asOne) {
  std::set<TCellEditor *> editors;
  for (int col = 0; col < grid.ColCount(); ++col)
    if (TCellEditor *editor = grid.Columns()->Items(col)->Editor())
      editors.insert(editor);
  for (TCellEditor *editor : editors)
    editor->AllowEndEditEvent = [&grid, editor, asOne](QWidget *, int &key, Qt::KeyboardModifiers shift,
                                                       bool &endEdit) {
      if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !(shift & Qt::ControlModifier))
        return;
      asOne([&grid, editor] {
        editor->CommitEdit();
        FillColumn(grid, grid.EditCol(), grid.Cells(grid.EditCol(), grid.EditRow()));
      });
      // The edit then ends as on Enter; the grid takes no step for the key.
      endEdit = true;
    };
}
