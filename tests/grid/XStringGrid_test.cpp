// Widget tests of the column-settings grid: column settings, drawing, and when and where editing starts.
#include "GridTestHelpers.h"
#include "ImageGridForm.h"

#include <QPainter>
#include <QScrollBar>

namespace {

// The horizontal extent of the pixels in `rect` that differ from the cell background.
std::pair<int, int> InkSpan(const QImage &image, const QRect &rect, QRgb background) {
  int left = INT_MAX, right = -1;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixel(x, y) != background) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  return {left, right};
}

int InkRows(const QImage &image, const QRect &rect, QRgb background) {
  int top = INT_MAX, bottom = -1;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixel(x, y) != background) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  return bottom < 0 ? 0 : bottom - top + 1;
}

QImage Snapshot(TStringGrid *grid) { return grid->viewport()->grab().toImage(); }

} // namespace

class TXStringGridTest : public QObject {
  Q_OBJECT
private slots:
  void NewGridTakesItsColumnSettingsFromTheGrid();
  void ColumnCountChangesAddAndFreeEntriesDetachingEditors();
  void CaptionAndWidthAreTheGridsOwn();
  void SharedEditorCountsBindingsAndRefusesASecondGrid();
  void ColumnMovesCarryTheirSettings();
  void AssigningColumnsCopiesAllButWidthAndEditor();
  void DrawsHighlightOutlinesAndHeaderColours();
  void TextSitsInsetAlignedAndLiteral();
  void MultiLineWrapsAtWords();
  void ColumnWithoutEditorNeverEdits();
  void EditingNeedsTheFocus();
  void ImmediateEditModeDecidesTheStartText();
  void DrawEditorHandlerTakesOverPlacement();
  void EditorFollowsItsCellWhileScrolling();
  void EditorWritesBackToTheCellItStartedOn();
  void RefusedPressKeepsTheCellButEndsTheEdit();
  void NameCellPressReachesTheQueryWithoutMoving();
  void KeyboardNavigationAsksTheQuery();
  void ServesTheItemListAsATextGrid();
  void DeletedRowsCloseUpWithTheirMarksAndTheEditEndsInItsCell();
};

void TXStringGridTest::NewGridTakesItsColumnSettingsFromTheGrid() {
  TXStringGrid grid;
  grid.SetFixedColor(0x00123456);
  grid.SetColor(0x00654321);
  grid.SetColCount(8);
  QCOMPARE(grid.Columns()->Count(), 8);
  const TXStringColumnItem *first = grid.Columns()->Items(0);
  const TXStringColumnItem *added = grid.Columns()->Items(7);
  QCOMPARE(first->HeaderColor(), ColorValues::clBtnFace);
  QCOMPARE(first->Color(), ColorValues::clWindow);
  QCOMPARE(added->HeaderColor(), TColor(0x00123456));
  QCOMPARE(added->Color(), TColor(0x00654321));
  QCOMPARE(added->Alignment(), taLeftJustify);
  QCOMPARE(added->HeaderAlignment(), taLeftJustify);
  QCOMPARE(QFont(added->Font()), grid.font());
  QCOMPARE(grid.FixedLineColor(), ColorValues::clBlack);
  QCOMPARE(grid.GridLineColor(), ColorValues::clSilver);
}

void TXStringGridTest::ColumnCountChangesAddAndFreeEntriesDetachingEditors() {
  QWidget owner;
  TXStringGrid grid(&owner);
  TUpDownCellEditor spinner(&owner);
  grid.SetColCount(7);
  for (int col = 4; col < 7; ++col) {
    grid.Columns()->Items(col)->SetEditor(&spinner);
    grid.SetCells(col, 0, QString("C%1").arg(col));
  }
  grid.Columns()->Items(4)->SetAlignment(taRightJustify);
  QCOMPARE(spinner.AttachCount(), 3);

  grid.SetColCount(3);
  QCOMPARE(grid.Columns()->Count(), 3);
  QCOMPARE(spinner.AttachCount(), 0);
  QVERIFY(spinner.Grid() == nullptr);

  grid.SetColCount(7);
  QCOMPARE(grid.Columns()->Count(), 7);
  for (int col = 3; col < 7; ++col) {
    QVERIFY(grid.Columns()->Items(col)->Editor() == nullptr);
    QCOMPARE(grid.Columns()->Items(col)->Caption(), QString());
    QCOMPARE(grid.Columns()->Items(col)->Alignment(), taLeftJustify);
  }
  QCOMPARE(grid.RowCount(), 5); // rows never touch the columns
  grid.SetRowCount(2);
  QCOMPARE(grid.Columns()->Count(), 7);
}

void TXStringGridTest::CaptionAndWidthAreTheGridsOwn() {
  TXStringGrid grid;
  TXStringColumnItem *column = grid.Columns()->Items(2);
  grid.SetCells(2, 0, "Velikost");
  QCOMPARE(column->Caption(), QString("Velikost"));
  column->SetCaption("Size");
  QCOMPARE(grid.Cells(2, 0), QString("Size"));
  column->SetWidth(99);
  QCOMPARE(grid.ColWidths(2), 99);
  grid.SetColWidths(2, 41);
  QCOMPARE(column->Width(), 41);
}

void TXStringGridTest::SharedEditorCountsBindingsAndRefusesASecondGrid() {
  QWidget owner;
  TXStringGrid first(&owner), second(&owner);
  first.setObjectName("XStringGrid1");
  second.setObjectName("XStringGrid2");
  first.SetColCount(9);
  second.SetColCount(9);
  TUpDownCellEditor spinner(&owner);
  spinner.setObjectName("UpDownCellEditor1");
  TEditCellEditor edit(&owner);
  for (int col = 5; col <= 8; ++col)
    first.Columns()->Items(col)->SetEditor(&spinner);
  QCOMPARE(spinner.AttachCount(), 4);
  first.Columns()->Items(8)->SetEditor(nullptr);
  QCOMPARE(spinner.AttachCount(), 3);
  QVERIFY(spinner.Grid() == &first);

  second.Columns()->Items(4)->SetEditor(&edit);
  try {
    second.Columns()->Items(4)->SetEditor(&spinner);
    QFAIL("a second grid must be refused");
  } catch (const ECellEditorError &error) {
    QCOMPARE(QString(error.what()), QString("UpDownCellEditor1 is allready assigned to XStringGrid1"));
  }
  QVERIFY(second.Columns()->Items(4)->Editor() == &edit);
  QCOMPARE(edit.AttachCount(), 1);
  QCOMPARE(spinner.AttachCount(), 3);
}

void TXStringGridTest::ColumnMovesCarryTheirSettings() {
  TImageGridForm form;
  form.Fill(3);
  TXStringGrid *grid = form.Grid;
  grid->SetOptions(grid->Options() | goColMoving);
  TXStringColumnItem *transparentColor = grid->Columns()->Items(4);
  transparentColor->HeaderFont().setBold(true);
  QVERIFY(ShowActive(form));

  // The user drags the header of column 4 onto column 7.
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(4, 0).center());
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(7, 0).center());
  QVERIFY(grid->Columns()->Items(7) == transparentColor);
  QCOMPARE(transparentColor->Caption(), QString("TransparentColor"));
  QCOMPARE(transparentColor->Width(), 92);
  QVERIFY(transparentColor->Editor() == form.EditEditor);
  QVERIFY(transparentColor->HeaderFont().bold());
  QCOMPARE(grid->Cells(7, 1), QString("clFuchsia"));
  QCOMPARE(grid->Columns()->Items(4)->Caption(), QString("PatternHeight"));
  QCOMPARE(grid->Columns()->Count(), 9);
}

void TXStringGridTest::AssigningColumnsCopiesAllButWidthAndEditor() {
  TImageGridForm form;
  TXStringGrid copy;
  copy.SetColCount(9);
  form.Grid->Columns()->Items(4)->SetColor(0x000000FF);
  form.Grid->Columns()->Items(4)->Font().Color = 0x00FF0000;
  copy.SetColumns(*form.Grid->Columns());
  QCOMPARE(copy.Columns()->Count(), 9);
  const TXStringColumnItem *column = copy.Columns()->Items(4);
  QCOMPARE(column->Caption(), QString("TransparentColor"));
  QCOMPARE(column->Color(), TColor(0x000000FF));
  QCOMPARE(column->Font().Color, TColor(0x00FF0000));
  QCOMPARE(column->Alignment(), taCenter);
  QCOMPARE(column->Width(), copy.DefaultColWidth());
  QVERIFY(column->Editor() == nullptr);
  QCOMPARE(form.EditEditor->AttachCount(), 1);
}

void TXStringGridTest::DrawsHighlightOutlinesAndHeaderColours() {
  TImageGridForm form;
  form.Fill(3);
  TXStringGrid *grid = form.Grid;
  grid->SetGridLineColor(0x000000FF);              // red
  grid->Columns()->Items(5)->SetHeaderColor(0x0000FF00); // green
  QVERIFY(ShowActive(form));
  grid->setFocus();
  grid->SetSelection({5, 2, 6, 2});
  const QImage image = Snapshot(grid);
  const QColor highlight = grid->palette().color(QPalette::Highlight);

  // The focused current cell is highlighted like the rest of the selection.
  QCOMPARE(image.pixelColor(grid->CellRect(6, 2).topLeft() + QPoint(1, 1)), highlight);
  QCOMPARE(image.pixelColor(grid->CellRect(5, 2).topLeft() + QPoint(1, 1)), highlight);
  QCOMPARE(image.pixelColor(grid->CellRect(5, 0).center() + QPoint(0, 6)), QColor(0, 255, 0));
  // Data cells are outlined one pixel outside in the grid line colour, fixed cells in black.
  const QRect data = grid->CellRect(7, 3);
  QCOMPARE(image.pixelColor(data.right() + 1, data.center().y()), QColor(255, 0, 0));
  QCOMPARE(image.pixelColor(data.center().x(), data.bottom() + 1), QColor(255, 0, 0));
  const QRect fixed = grid->CellRect(1, 3);
  QCOMPARE(image.pixelColor(fixed.right() + 1, fixed.center().y()), QColor(0, 0, 0));
  QCOMPARE(image.pixelColor(fixed.center().x(), fixed.bottom() + 1), QColor(0, 0, 0));
}

void TXStringGridTest::TextSitsInsetAlignedAndLiteral() {
  TXStringGrid grid;
  grid.resize(400, 200);
  grid.SetColor(ColorValues::clWhite);
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  for (int col = 0; col < 3; ++col)
    grid.SetColWidths(col, 80);
  grid.Columns()->Items(0)->SetColor(ColorValues::clWhite);
  grid.Columns()->Items(1)->SetColor(ColorValues::clWhite);
  grid.Columns()->Items(1)->SetAlignment(taRightJustify);
  grid.Columns()->Items(2)->SetColor(ColorValues::clWhite);
  grid.SetSelection({3, 4, 3, 4}); // keeps the highlight away from the cells looked at
  grid.SetCells(0, 1, "Wx");
  grid.SetCells(1, 1, "Wx");
  grid.SetCells(0, 2, "&");
  grid.SetCells(2, 2, "&&");
  grid.show();
  const QImage image = Snapshot(&grid);
  const QRgb white = qRgb(255, 255, 255);

  const QRect left = grid.CellRect(0, 1);
  const auto [leftInk, leftEnd] = InkSpan(image, left, white);
  QVERIFY2(leftInk >= left.left() + 2 && leftInk <= left.left() + 4, qPrintable(QString::number(leftInk)));
  const QRect right = grid.CellRect(1, 1);
  const auto [rightStart, rightInk] = InkSpan(image, right, white);
  QVERIFY2(rightInk <= right.right() - 2 && rightInk >= right.right() - 4, qPrintable(QString::number(rightInk)));

  const auto [oneStart, oneEnd] = InkSpan(image, grid.CellRect(0, 2), white);
  const auto [twoStart, twoEnd] = InkSpan(image, grid.CellRect(2, 2), white);
  QVERIFY2(twoEnd - twoStart > (oneEnd - oneStart) * 3 / 2, "\"&&\" is two ampersands, not a mnemonic");
}

void TXStringGridTest::MultiLineWrapsAtWords() {
  TXStringGrid grid;
  grid.resize(300, 300);
  grid.SetDefaultRowHeight(60);
  grid.SetCells(1, 2, "aaa bbb ccc ddd eee");
  grid.Columns()->Items(1)->SetColor(ColorValues::clWhite);
  grid.show();
  const QRect cell = grid.CellRect(1, 2);
  const int singleLine = InkRows(Snapshot(&grid), cell, qRgb(255, 255, 255));
  grid.SetMultiLine(true);
  const int wrapped = InkRows(Snapshot(&grid), cell, qRgb(255, 255, 255));
  QVERIFY2(wrapped > singleLine * 2, qPrintable(QString("%1 vs %2").arg(wrapped).arg(singleLine)));
}

void TXStringGridTest::ColumnWithoutEditorNeverEdits() {
  QWidget window;
  TXStringGrid grid(&window);
  grid.resize(400, 200);
  grid.SetOptions(grid.Options() | goEditing);
  QVERIFY(ShowActive(window));
  grid.setFocus();
  ClickCell(&grid, 2, 2);
  QCOMPARE(grid.Col(), 2);
  for (int key : {int(Qt::Key_F2), int(Qt::Key_Return), int(Qt::Key_A), int(Qt::Key_Backspace)})
    QTest::keyClick(&grid, Qt::Key(key));
  ClickCell(&grid, 2, 2);
  QVERIFY(grid.ActiveEditor() == nullptr);
  QCOMPARE(grid.PendingChar(), char32_t(0));
  QVERIFY(grid.hasFocus());
}

void TXStringGridTest::EditingNeedsTheFocus() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  form.Other->setFocus();
  QTest::keyClick(form.Grid, Qt::Key_F2);
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
  form.Grid->setFocus();
  QTest::keyClick(form.Grid, Qt::Key_F2);
  QVERIFY(form.Grid->ActiveEditor() == form.ComboEditor);
  QCOMPARE(form.Grid->EditCol(), 3);
  QCOMPARE(form.Grid->EditRow(), 1);
}

void TXStringGridTest::ImmediateEditModeDecidesTheStartText() {
  for (const bool immediate : {true, false}) {
    for (const int col : {4, 5}) { // edit box and spinner
      TImageGridForm form;
      form.Fill(3);
      form.Grid->SetCells(col, 2, "12");
      form.Grid->SetImmediateEditMode(immediate);
      QVERIFY(ShowActive(form));
      form.Grid->setFocus();
      form.Grid->SetSelection({col, 2, col, 2});
      QTest::keyClick(form.Grid, Qt::Key_7);
      auto *edit = qobject_cast<QLineEdit *>(Focused());
      QVERIFY(edit);
      if (immediate) {
        QCOMPARE(edit->text(), QString("7"));
        QCOMPARE(edit->cursorPosition(), 1);
        QVERIFY(!edit->hasSelectedText());
      } else {
        QCOMPARE(edit->text(), QString("12"));
        QCOMPARE(edit->selectedText(), QString("12"));
      }
      QTest::keyClick(edit, Qt::Key_Return);
      QTest::keyClick(form.Grid, Qt::Key_Backspace);
      QCOMPARE(qobject_cast<QLineEdit *>(Focused())->text(), immediate ? QString("7") : QString("12"));
    }
  }
}

void TXStringGridTest::DrawEditorHandlerTakesOverPlacement() {
  TImageGridForm form;
  form.Fill(3);
  std::vector<std::tuple<int, int, TCellEditor *>> calls;
  form.Grid->OnDrawEditor = [&calls](TXStringGrid *, int col, int row, TCellEditor *editor) {
    calls.emplace_back(col, row, editor);
  };
  QVERIFY(ShowActive(form));
  ClickCell(form.Grid, 6, 2);
  QCOMPARE(calls.size(), std::size_t(1));
  QVERIFY(calls[0] == std::make_tuple(6, 2, static_cast<TCellEditor *>(form.UpDownEditor)));
  QVERIFY(form.Grid->ActiveEditor() == form.UpDownEditor);
  QCOMPARE(Inplace<QLineEdit>(form.UpDownEditor)->text(), QString("0"));
  QVERIFY(!Inplace(form.UpDownEditor)->isVisible());
}

void TXStringGridTest::EditorFollowsItsCellWhileScrolling() {
  TImageGridForm form;
  form.Fill(40);
  TXStringGrid *grid = form.Grid;
  QVERIFY(ShowActive(form));
  ClickCell(grid, 4, 3);
  QWidget *edit = Inplace(form.EditEditor);
  QVERIFY(edit && edit->isVisible());
  const QPoint placed = edit->geometry().topLeft();
  QCOMPARE(placed, grid->CellRect(4, 3).topLeft());

  grid->verticalScrollBar()->setValue(20); // the user drags the scroll bar: row 3 leaves the view
  QCOMPARE(grid->TopRow(), 20);
  QVERIFY(grid->CellRect(4, 3).isEmpty());
  QCOMPARE(edit->geometry().topLeft(), placed);

  grid->verticalScrollBar()->setValue(2); // back: row 3 is the second visible row
  QCOMPARE(edit->geometry().topLeft(), grid->CellRect(4, 3).topLeft());
  QCOMPARE(grid->CellRect(4, 3).top(), 18 * 2);
  QVERIFY(edit->isVisible());
}

void TXStringGridTest::EditorWritesBackToTheCellItStartedOn() {
  TImageGridForm form;
  form.Fill(5);
  QVERIFY(ShowActive(form));
  ClickCell(form.Grid, 5, 1);
  auto *edit = qobject_cast<QLineEdit *>(Focused());
  QVERIFY(edit);
  form.Grid->SetRow(4);
  QTest::keyClicks(edit, "42");
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(form.Grid->Cells(5, 1), QString("42"));
  QCOMPARE(form.Grid->Cells(5, 4), QString("0"));
  QCOMPARE(form.Grid->Row(), 4);
}

void TXStringGridTest::RefusedPressKeepsTheCellButEndsTheEdit() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  ClickCell(form.Grid, 5, 2);
  auto *edit = qobject_cast<QLineEdit *>(Focused());
  QVERIFY(edit);
  QTest::keyClicks(edit, "17");
  ClickCell(form.Grid, 6, 8); // an empty row: refused
  QCOMPARE(form.Grid->Col(), 5);
  QCOMPARE(form.Grid->Row(), 2);
  QCOMPARE(form.Grid->Cells(5, 2), QString("17"));
  QVERIFY(!edit->isVisible());
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
  QVERIFY(form.Grid->hasFocus());
}

void TXStringGridTest::NameCellPressReachesTheQueryWithoutMoving() {
  TImageGridForm form;
  form.Fill(3);
  std::vector<QPoint> asked;
  const auto select = form.Grid->OnSelectCell;
  form.Grid->OnSelectCell = [&](TStringGrid *sender, int col, int row, bool &canSelect) {
    asked.emplace_back(col, row);
    select(sender, col, row, canSelect);
  };
  QVERIFY(ShowActive(form));
  ClickCell(form.Grid, 0, 2, Qt::RightButton);
  ClickCell(form.Grid, 0, 0);
  QCOMPARE(asked, (std::vector<QPoint>{{0, 2}, {0, 0}}));
  QCOMPARE(form.Grid->Col(), 3);
  QCOMPARE(form.Grid->Row(), 1);
  ClickCell(form.Grid, 7, 3, Qt::RightButton); // accepted: moves the cell but opens nothing
  QCOMPARE(form.Grid->Col(), 7);
  QCOMPARE(form.Grid->Row(), 3);
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
}

void TXStringGridTest::KeyboardNavigationAsksTheQuery() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  form.Grid->setFocus();
  QTest::keyClick(form.Grid, Qt::Key_Left); // column 2 is refused
  QCOMPARE(form.Grid->Col(), 3);
  QTest::keyClick(form.Grid, Qt::Key_End);
  QCOMPARE(form.Grid->Col(), 8);
  QTest::keyClick(form.Grid, Qt::Key_Down);
  QTest::keyClick(form.Grid, Qt::Key_Down);
  QTest::keyClick(form.Grid, Qt::Key_Down); // row 4 shows no entry
  QCOMPARE(form.Grid->Row(), 3);
  QTest::keyClick(form.Grid, Qt::Key_PageDown);
  QCOMPARE(form.Grid->Row(), 3);
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
}

void TXStringGridTest::ServesTheItemListAsATextGrid() {
  TImageGridForm form;
  form.Fill(2);
  TTextGrid &textGrid = *form.Grid;
  textGrid.SetRowCount(30);
  QCOMPARE(textGrid.GetRowCount(), 30);
  QCOMPARE(textGrid.GetColCount(), 9);
  textGrid.SetCell(0, 1, "Žluťoučký kůň");
  QCOMPARE(form.Grid->Cells(0, 1), QString::fromUtf8("Žluťoučký kůň"));
  QCOMPARE(textGrid.GetCell(0, 0), std::string("Jméno"));

  QVERIFY(ShowActive(form));
  ClickCell(form.Grid, 6, 2);
  QTest::keyClicks(Focused(), "512");
  textGrid.CommitActiveEditor();
  QCOMPARE(textGrid.GetCell(6, 2), std::string("512"));

  // Texts written one after another into a column are each their own, whatever the column wrote before.
  for (const char *text : {"True", "False", "True", "", "True"})
    textGrid.SetCell(3, 1, text);
  textGrid.SetCell(3, 2, "False");
  form.Grid->SetCells(3, 3, QStringLiteral("True"));
  textGrid.SetCell(3, 3, "True");
  QCOMPARE(form.Grid->Cells(3, 1), QStringLiteral("True"));
  QCOMPARE(form.Grid->Cells(3, 2), QStringLiteral("False"));
  QCOMPARE(form.Grid->Cells(3, 3), QStringLiteral("True"));
  form.Grid->SetColCount(4);
  textGrid.SetCell(3, 4, "Žluť");
  textGrid.SetCell(8, 4, "mimo");
  QCOMPARE(form.Grid->Cells(3, 4), QStringLiteral("Žluť"));
  QCOMPARE(textGrid.GetColCount(), 4);
}

void TXStringGridTest::DeletedRowsCloseUpWithTheirMarksAndTheEditEndsInItsCell() {
  TImageGridForm form;
  form.Fill(8);
  TXStringGrid &grid = *form.Grid;
  QVERIFY(ShowActive(form));
  grid.SetCellMarked(5, 2, true);
  grid.SetCellMarked(6, 5, true);
  grid.SetCellMarked(7, 8, true);
  ClickCell(&grid, 5, 6);
  QTest::keyClicks(Focused(), "44");
  QVERIFY(grid.ActiveEditor());

  const int rowCount = grid.RowCount();
  grid.DeleteRows({6, 2, 0, 2, 99, 3});
  QVERIFY(!grid.ActiveEditor());
  QCOMPARE(grid.RowCount(), rowCount - 3);
  QStringList names;
  for (int row = 1; row < grid.RowCount(); ++row)
    names << grid.Cells(0, row);
  QCOMPARE(names.mid(0, 5), QStringList({"obrazek1", "obrazek4", "obrazek5", "obrazek7", "obrazek8"}));
  QVERIFY(!grid.CellMarked(5, 2));
  QVERIFY(grid.CellMarked(6, 3));
  QVERIFY(grid.CellMarked(7, 5));
  QVERIFY(!grid.CellMarked(6, 5) && !grid.CellMarked(7, 8));
  grid.DeleteRows({3, 5});
  QCOMPARE(grid.Cells(0, 3), QStringLiteral("obrazek7"));
  QVERIFY(!grid.HasCellMarks());
  for (int row = 1; row < grid.RowCount(); ++row)
    QCOMPARE(grid.Cells(5, row), row <= 3 ? QStringLiteral("0") : QString());

  // The edit went into the cell it was opened on before that row was taken out; nothing else got its text.
  TImageGridForm other;
  other.Fill(4);
  QVERIFY(ShowActive(other));
  ClickCell(other.Grid, 5, 3);
  QTest::keyClicks(Focused(), "44");
  auto *edit = qobject_cast<QLineEdit *>(Focused());
  QVERIFY(edit);
  const QString typed = edit->text();
  QVERIFY(typed.contains(QStringLiteral("44")));
  other.Grid->DeleteRows({2});
  QCOMPARE(other.Grid->Cells(0, 2), QStringLiteral("obrazek3"));
  QCOMPARE(other.Grid->Cells(5, 2), typed);
  QCOMPARE(other.Grid->Cells(5, 3), QStringLiteral("0"));
}

QTEST_MAIN(TXStringGridTest)
#include "XStringGrid_test.moc"
