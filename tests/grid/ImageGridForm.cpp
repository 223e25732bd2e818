// The image-grid window shared by the grid tests and the screenshot demo.
#include "ImageGridForm.h"

#include <QVBoxLayout>

TImageGridForm::TImageGridForm() {
  setObjectName("Form1");
  resize(704, 240);
  Grid = new TXStringGrid(this);
  Grid->setObjectName("XStringGrid1");
  Grid->setGeometry(0, 0, 704, 200);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->SetFont(TFont(QFont("Sans Serif", 8)));
  Grid->SetColCount(9);
  Grid->SetRowCount(11);
  Grid->SetFixedCols(3);
  Grid->SetFixedRows(1);
  Grid->SetDefaultColWidth(68);
  Grid->SetDefaultRowHeight(17);
  Grid->SetOptions(Grid->Options() | goEditing | goRangeSelect);

  ComboEditor = new TComboCellEditor(this);
  ComboEditor->setObjectName("ComboCellEditor1");
  ComboEditor->SetStyle(csDropDownList);
  ComboEditor->SetItems({"True", "False"});
  EditEditor = new TEditCellEditor(this);
  EditEditor->setObjectName("EditCellEditor1");
  EditEditor->SetHasElipsis(true);
  EditEditor->SetElipsisCaption("...");
  UpDownEditor = new TUpDownCellEditor(this);
  UpDownEditor->setObjectName("UpDownCellEditor1");
  UpDownEditor->SetMin(0);
  UpDownEditor->SetMax(32767);
  UpDownEditor->SetDefaultText("0");

  const struct {
    const char *caption;
    int width;
    TCellEditor *editor;
  } columns[] = {{"Jméno", 120, nullptr},         {"Ext", 52, nullptr},          {"Velikost", 68, nullptr},
                 {"Transparent", 62, ComboEditor}, {"TransparentColor", 92, EditEditor},
                 {"PatternHeight", 70, UpDownEditor}, {"PatternWidth", 70, UpDownEditor},
                 {"SkipHeight", 70, UpDownEditor},   {"SkipWidth", 70, UpDownEditor}};
  for (int col = 0; col < 9; ++col) {
    TXStringColumnItem *item = Grid->Columns()->Items(col);
    item->SetCaption(QString::fromUtf8(columns[col].caption));
    item->SetWidth(columns[col].width);
    item->SetEditor(columns[col].editor);
    item->SetAlignment(taCenter);
    item->SetHeaderAlignment(taCenter);
  }
  // Only attribute cells of rows that show an entry can become current.
  Grid->OnSelectCell = [](TStringGrid *sender, int col, int row, bool &canSelect) {
    canSelect = col >= 3 && col < sender->ColCount() && row >= 1 && row < sender->RowCount() &&
                !sender->Cells(1, row).isEmpty();
  };

  Other = new QLineEdit(this);
  Other->setObjectName("Other");
  Other->setGeometry(0, 210, 200, 24);
}

void TImageGridForm::Fill(int entries) {
  if (Grid->RowCount() < entries + 1)
    Grid->SetRowCount(entries + 1);
  for (int row = 1; row <= entries; ++row) {
    const QStringList texts = {QString("obrazek%1").arg(row), ".BMP", QString::number(1000 + row), "False",
                               "clFuchsia", "0", "0", "0", "0"};
    for (int col = 0; col < texts.size(); ++col)
      Grid->SetCells(col, row, texts[col]);
  }
}
