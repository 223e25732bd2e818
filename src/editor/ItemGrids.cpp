// The two item grids of the main window: their layout, columns and cell editors, the removal mark.
#include "editor/ItemGrids.h"

#include "editor/fTovrikEditor.h"
#include "grid/CellEditors.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/CellTexts.h"
#include "media/ItemColumns.h"
#include "platform/TextLanguage.h"
#include "desktop/ColorMap.h"

#include <QColorDialog>
#include <QFontMetrics>
#include <QLineEdit>

#include <functional>

namespace {
const QString removeMark = QStringLiteral("* ");

// The grid's font, made smaller for the header until every caption fits its column inside the 2-pixel inset.
QFont FittingHeaderFont(const TXStringGrid &grid) {
  QFont font = grid.font();
  auto fits = [&grid](const QFont &candidate) {
    const QFontMetrics metrics(candidate);
    for (int col = 0; col < grid.ColCount(); ++col)
      if (metrics.horizontalAdvance(grid.Cells(col, 0)) > grid.ColWidths(col) - 4)
        return false;
    return true;
  };
  while (!fits(font) && font.pointSizeF() > 6)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  return font;
}

// The kind's columns with their captions and widths, and the editor that editorOf gives for each.
void SetColumns(TXStringGrid &grid, TMediaKind kind, const std::function<TCellEditor *(TCellEditing)> &editorOf) {
  SetupItemGrid(grid, static_cast<int>(ItemColumns(kind).size()));
  for (const TItemColumn &column : ItemColumns(kind)) {
    TXStringColumnItem *item = grid.Columns()->Items(column.Index);
    item->SetCaption(QString::fromUtf8(Translated(column.Caption)));
    item->SetWidth(column.Width);
    if (TCellEditor *editor = editorOf(column.Editing))
      item->SetEditor(editor);
    item->SetHeaderAlignment(taCenter);
    item->SetAlignment(taCenter);
    item->SetFont(TFont(grid.font()));
  }
  const TFont header(FittingHeaderFont(grid));
  for (int col = 0; col < grid.ColCount(); ++col)
    grid.Columns()->Items(col)->SetHeaderFont(header);
}
} // namespace

void SetupItemGrid(TXStringGrid &grid, int colCount) {
  grid.SetColCount(colCount);
  grid.SetRowCount(11);
  grid.SetFixedRows(1);
  grid.SetFixedCols(3);
  grid.SetDefaultColWidth(68);
  grid.SetDefaultRowHeight(17);
  grid.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goEditing |
                  goColSizing);
  // The character that starts an edit is the first of the new text, not lost.
  grid.SetImmediateEditMode(true);
  grid.SetMultiLine(false);
  // The columns fit the design width; a column the user widened may push the last ones out of view.
  grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void SetupImageColumns(TXStringGrid &grid, TComboCellEditor &transparent, TEditCellEditor &color,
                       TUpDownCellEditor &sizes) {
  SetColumns(grid, mkImages, [&](TCellEditing editing) -> TCellEditor * {
    switch (editing) {
    case TCellEditing::Boolean: return &transparent;
    case TCellEditing::Color: return &color;
    case TCellEditing::Size: return &sizes;
    default: return nullptr;
    }
  });
}

void SetupSoundColumns(TXStringGrid &grid, TComboCellEditor &looped, TUpDownCellEditor &frequency,
                       TUpDownCellEditor &volume, TUpDownCellEditor &pan) {
  SetColumns(grid, mkSounds, [&](TCellEditing editing) -> TCellEditor * {
    switch (editing) {
    case TCellEditing::Boolean: return &looped;
    case TCellEditing::Frequency: return &frequency;
    case TCellEditing::Volume: return &volume;
    case TCellEditing::Pan: return &pan;
    default: return nullptr;
    }
  });
}

void SetupBooleanEditor(TComboCellEditor &editor) {
  editor.SetStyle(csDropDownList);
  editor.SetItems({QStringLiteral("True"), QStringLiteral("False")});
}

void SetupSpinEditor(TUpDownCellEditor &editor, int min, int max, const QString &defaultText) {
  editor.SetMin(min);
  editor.SetMax(max);
  editor.SetIncrement(1);
  editor.SetDefaultText(defaultText);
}

bool HasRemoveMark(const QString &nameCell) { return nameCell.startsWith(removeMark); }

void SetCurrentCell(TXStringGrid &grid, int col, int row) {
  grid.SetCol(col);
  grid.SetRow(row);
}

void TForm1::BuildGrids() {
  auto makeGrid = [this](const char *name) {
    auto *grid = new TXStringGrid(clientArea);
    grid->setObjectName(QString::fromLatin1(name));
    return grid;
  };
  auto named = [](auto *editor, const char *name) {
    editor->setObjectName(QString::fromLatin1(name));
    return editor;
  };
  ComboCellEditor1 = named(new TComboCellEditor(this), "ComboCellEditor1");
  ComboCellEditor2 = named(new TComboCellEditor(this), "ComboCellEditor2");
  EditCellEditor1 = named(new TEditCellEditor(this), "EditCellEditor1");
  UpDownCellEditor1 = named(new TUpDownCellEditor(this), "UpDownCellEditor1");
  UpDownCellEditor2 = named(new TUpDownCellEditor(this), "UpDownCellEditor2");
  UpDownCellEditor3 = named(new TUpDownCellEditor(this), "UpDownCellEditor3");
  UpDownCellEditor4 = named(new TUpDownCellEditor(this), "UpDownCellEditor4");
  SetupBooleanEditor(*ComboCellEditor1);
  SetupBooleanEditor(*ComboCellEditor2);
  EditCellEditor1->SetHasElipsis(true);
  EditCellEditor1->SetElipsisCaption(QStringLiteral("..."));
  EditCellEditor1->OnElipsisClick = [this](QObject *) { Guarded([this] { EditCellEditor1ElipsisClick(); }); };
  SetupSpinEditor(*UpDownCellEditor1, 0, 32767, QStringLiteral("0"));
  // Sampling rates up to 192 kHz, so that 44100 and 48000 are reached with the arrows too.
  SetupSpinEditor(*UpDownCellEditor2, 0, 192000, QStringLiteral("0"));
  SetupSpinEditor(*UpDownCellEditor3, 0, 255, QStringLiteral("255"));
  SetupSpinEditor(*UpDownCellEditor4, -1, 255, QStringLiteral("-1"));

  XStringGrid1 = makeGrid("XStringGrid1");
  SetupImageColumns(*XStringGrid1, *ComboCellEditor1, *EditCellEditor1, *UpDownCellEditor1);
  XStringGrid1->OnSelectCell = [this](TStringGrid *, int col, int row, bool &canSelect) {
    canSelect = XStringGrid1SelectCell(col, row);
  };
  XStringGrid2 = makeGrid("XStringGrid2");
  SetupSoundColumns(*XStringGrid2, *ComboCellEditor2, *UpDownCellEditor2, *UpDownCellEditor3, *UpDownCellEditor4);
  XStringGrid2->OnSelectCell = [this](TStringGrid *, int col, int row, bool &canSelect) {
    canSelect = XStringGrid2SelectCell(col, row);
  };
  XStringGrid2->hide();
  for (TXStringGrid *grid : {XStringGrid1, XStringGrid2})
    grid->OnSetEditText = [this, grid](TStringGrid *, int col, int row, const QString &) {
      Guarded([this, grid, col, row] { CellCommitted(*grid, col, row); });
    };

  // The editors' loaded step, once the window has all its parts.
  for (TCellEditor *editor : std::initializer_list<TCellEditor *>{ComboCellEditor1, ComboCellEditor2, EditCellEditor1,
                                                                  UpDownCellEditor1, UpDownCellEditor2,
                                                                  UpDownCellEditor3, UpDownCellEditor4})
    editor->SetupInplace();
}

QString TForm1::ToggleRemoveMark(const QString &text) {
  return HasRemoveMark(text) ? text.mid(removeMark.size()) : removeMark + text;
}

bool TForm1::SelectCell(TXStringGrid &grid, int ACol, int ARow) {
  if (ACol == NameColumnIndex && ARow > 0 && ARow < grid.RowCount() && &grid == &KindGrid() &&
      Controller().PositionOfRow(ARow) >= 0) {
    Controller().ToggleMarks({ARow});
    Controller().FillViewRow(grid, ARow);
  }
  return ACol >= FirstAttributeColumn && ACol <= grid.ColCount() - 1 && ARow >= 1 && ARow <= grid.RowCount() - 1 &&
         !grid.Cells(ExtColumnIndex, ARow).isEmpty();
}

bool TForm1::XStringGrid1SelectCell(int ACol, int ARow) { return SelectCell(*XStringGrid1, ACol, ARow); }

bool TForm1::XStringGrid2SelectCell(int ACol, int ARow) { return SelectCell(*XStringGrid2, ACol, ARow); }

void TForm1::EditCellEditor1ElipsisClick() {
  auto *edit = qobject_cast<QLineEdit *>(EditCellEditor1->InplaceControl());
  if (!edit)
    return;
  const TColor color = StringToColor(edit->text().toStdString());
  ColorDialog1->setCurrentColor(ColorToQColor(color, palette()));
  if (ColorDialog1->exec() == QDialog::Accepted)
    edit->setText(QString::fromStdString(ColorToString(QColorToColor(ColorDialog1->currentColor()))));
}
