// A window with a grid set up like the editor's image grid (9 columns, 3 fixed, the three editor kinds).
#pragma once

#include "grid/XStringGrid.h"

#include <QLineEdit>
#include <QWidget>

class TImageGridForm : public QWidget {
public:
  TImageGridForm();
  // Writes `entries` rows of sample entries below the header.
  void Fill(int entries);

  TXStringGrid *Grid;
  TComboCellEditor *ComboEditor;
  TEditCellEditor *EditEditor;
  TUpDownCellEditor *UpDownEditor;
  QLineEdit *Other; // a second control, to take the focus away from the grid
};
