// Widget tests of the cell editors: what each key does in each in-place control, spinner steps, the combo's
// list, the ellipsis button, and editors outliving or dying before their grid.
#include "GridTestHelpers.h"
#include "ImageGridForm.h"
#include "support/ModalAnswer.h"

#include <QComboBox>
#include <QDialog>
#include <QToolButton>
#include <memory>

namespace {

// Opens the editor of a cell with a click and returns its focused control.
QWidget *OpenEditor(TImageGridForm &form, int col, int row) {
  ClickCell(form.Grid, col, row);
  return Focused();
}

QLineEdit *OpenLineEditor(TImageGridForm &form, int col, int row) {
  return qobject_cast<QLineEdit *>(OpenEditor(form, col, row));
}

} // namespace

class TCellEditorsTest : public QObject {
  Q_OBJECT
private slots:
  void SpinnerStepsRefusePassingABound_data();
  void SpinnerStepsRefusePassingABound();
  void SpinnerArrowsStepWithoutTakingTheFocus();
  void SpinnerOnEmptyCellShowsDefaultText();
  void LeftAndRightEndTheEditOnlyAtTheTextEnds();
  void UpAndDownDependOnTheControl();
  void ComboListEndsOnLeftAndRightAlways();
  void TabWithoutGridTabsMovesTheFocusOn();
  void TabWithGridTabsMovesToTheNextCell();
  void EnterWritesBackAndKeepsTheCellEscapeCancels();
  void EndEditHandlerCanEndOnALetterOrSwallowAKey();
  void ComboFindsTheCellsItemInAnyCase();
  void ComboTakesTheTypedLetterAsAKeyPress();
  void AlwaysShowEditorOpensOnEveryMove();
  void EllipsisKeepsTheEditActive();
  void EditorDestroyedBeforeItsGrid();
  void GridDestroyedBeforeItsEditors();
  void ControlNeedsAWidgetOwner();
};

void TCellEditorsTest::SpinnerStepsRefusePassingABound_data() {
  QTest::addColumn<int>("min");
  QTest::addColumn<int>("max");
  QTest::addColumn<int>("increment");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("expected");
  const int up = Qt::Key_Up, down = Qt::Key_Down;
  QTest::newRow("at max") << 0 << 255 << 1 << "255" << up << "255";
  QTest::newRow("onto max") << 0 << 255 << 1 << "254" << up << "255";
  QTest::newRow("at min") << 0 << 255 << 1 << "0" << down << "0";
  QTest::newRow("text up") << 0 << 255 << 1 << "abc" << up << "1";
  QTest::newRow("text down") << 0 << 255 << 1 << "abc" << down << "0";
  QTest::newRow("step of 10 past max") << -1 << 255 << 10 << "250" << up << "250";
  QTest::newRow("step of 10 past min") << -1 << 255 << 10 << "5" << down << "5";
  QTest::newRow("step of 10 down") << -1 << 255 << 10 << "9" << down << "-1";
  QTest::newRow("typed above max, up") << 0 << 255 << 1 << "1000" << up << "1000";
  QTest::newRow("typed above max, down") << 0 << 255 << 1 << "1000" << down << "999";
}

void TCellEditorsTest::SpinnerStepsRefusePassingABound() {
  QFETCH(int, min);
  QFETCH(int, max);
  QFETCH(int, increment);
  QFETCH(QString, text);
  QFETCH(int, key);
  QFETCH(QString, expected);
  TImageGridForm form;
  form.Fill(3);
  form.UpDownEditor->SetMin(min);
  form.UpDownEditor->SetMax(max);
  form.UpDownEditor->SetIncrement(increment);
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 7, 2);
  QVERIFY(edit);
  QTest::keyClicks(edit, text); // replaces the selected cell text
  QTest::keyClick(edit, Qt::Key(key));
  QCOMPARE(edit->text(), expected);
  QVERIFY(edit->isVisible()); // stepping never ends the edit
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(form.Grid->Cells(7, 2), expected);
}

void TCellEditorsTest::SpinnerArrowsStepWithoutTakingTheFocus() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 5, 1);
  auto *upDown = form.findChild<QWidget *>("UpDownCellEditor1UpDown");
  QVERIFY(upDown && upDown->isVisible());
  // The spinner fills the right end of the cell, one pixel in from the top and bottom, beside the edit box.
  const QRect cell = form.Grid->CellRect(5, 1);
  QCOMPARE(upDown->geometry().right(), cell.right());
  QCOMPARE(upDown->geometry().top(), cell.top() + 1);
  QCOMPARE(edit->geometry(), QRect(cell.left() + 1, cell.top() + 1, cell.width() - upDown->width() - 1, cell.height() - 2));

  auto *upArrow = upDown->findChild<QToolButton *>("Up");
  QTest::mouseClick(upArrow, Qt::LeftButton);
  QTest::mouseClick(upArrow, Qt::LeftButton);
  QTest::mouseClick(upDown->findChild<QToolButton *>("Down"), Qt::LeftButton);
  QCOMPARE(edit->text(), QString("1"));
  QVERIFY(Focused() == edit);
}

void TCellEditorsTest::SpinnerOnEmptyCellShowsDefaultText() {
  TImageGridForm form;
  form.Fill(3);
  form.UpDownEditor->SetDefaultText("255");
  form.Grid->SetCells(6, 2, "");
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 6, 2);
  QCOMPARE(edit->text(), QString("255"));
  QCOMPARE(edit->selectedText(), QString("255"));
  QCOMPARE(form.findChild<TInplaceUpDown *>("UpDownCellEditor1UpDown")->Position, 255);
}

void TCellEditorsTest::LeftAndRightEndTheEditOnlyAtTheTextEnds() {
  for (const int col : {4, 6}) { // edit box, spinner
    TImageGridForm form;
    form.Fill(3);
    QVERIFY(ShowActive(form));
    QLineEdit *edit = OpenLineEditor(form, col, 2);
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Left); // caret at 0, nothing selected: ends and moves left
    QCOMPARE(form.Grid->Cells(col, 2), QString("12"));
    QCOMPARE(form.Grid->Col(), col - 1);
    QVERIFY(form.Grid->hasFocus());
    QVERIFY(!edit->isVisible());

    edit = OpenLineEditor(form, col, 2); // "12" all selected
    QTest::keyClick(edit, Qt::Key_Left);
    QVERIFY(edit->isVisible());
    QCOMPARE(form.Grid->Col(), col);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Right); // at the end: ends and moves right
    QVERIFY(!edit->isVisible());
    QCOMPARE(form.Grid->Col(), col + 1);
  }
}

void TCellEditorsTest::UpAndDownDependOnTheControl() {
  TImageGridForm form;
  form.Fill(4);
  QVERIFY(ShowActive(form));

  QLineEdit *edit = OpenLineEditor(form, 4, 2);
  QTest::keyClicks(edit, "clRed");
  QTest::keyClick(edit, Qt::Key_Down);
  QCOMPARE(form.Grid->Cells(4, 2), QString("clRed"));
  QCOMPARE(form.Grid->Row(), 3);
  QVERIFY(form.Grid->hasFocus());

  QLineEdit *spin = OpenLineEditor(form, 5, 2);
  QTest::keyClick(spin, Qt::Key_Up);
  QTest::keyClick(spin, Qt::Key_Up);
  QCOMPARE(spin->text(), QString("2"));
  QCOMPARE(form.Grid->Row(), 2);
  QVERIFY(spin->isVisible());
  QTest::keyClick(spin, Qt::Key_Return);

  auto *combo = qobject_cast<QComboBox *>(OpenEditor(form, 3, 2));
  QVERIFY(combo);
  QCOMPARE(combo->currentText(), QString("False"));
  QTest::keyClick(combo, Qt::Key_Up);
  QCOMPARE(combo->currentText(), QString("True"));
  QVERIFY(combo->isVisible());
  QCOMPARE(form.Grid->Cells(3, 2), QString("False")); // picking writes nothing yet
  QTest::keyClick(combo, Qt::Key_Return);
  QCOMPARE(form.Grid->Cells(3, 2), QString("True"));
  QCOMPARE(form.Grid->Row(), 2);
}

void TCellEditorsTest::ComboListEndsOnLeftAndRightAlways() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  QWidget *combo = OpenEditor(form, 3, 1);
  QTest::keyClick(combo, Qt::Key_Right);
  QVERIFY(!combo->isVisible());
  QCOMPARE(form.Grid->Col(), 4);

  form.ComboEditor->SetStyle(csDropDown); // typed text: only at the ends of the text
  auto *typed = qobject_cast<QComboBox *>(OpenEditor(form, 3, 2));
  QVERIFY(typed && typed->isEditable());
  typed->lineEdit()->setCursorPosition(2);
  QTest::keyClick(typed, Qt::Key_Left);
  QVERIFY(typed->isVisible());
  QCOMPARE(typed->lineEdit()->cursorPosition(), 1);
  typed->lineEdit()->setText("Maybe");
  typed->lineEdit()->setCursorPosition(5);
  QTest::keyClick(typed, Qt::Key_Right);
  QVERIFY(!typed->isVisible());
  QCOMPARE(form.Grid->Cells(3, 2), QString("Maybe"));
  QCOMPARE(form.Grid->Col(), 4);
}

void TCellEditorsTest::TabWithoutGridTabsMovesTheFocusOn() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 5, 1);
  QTest::keyClicks(edit, "33");
  QTest::keyClick(edit, Qt::Key_Tab);
  QVERIFY(!edit->isVisible());
  QVERIFY(Focused() != edit);
  QCOMPARE(form.Grid->Cells(5, 1), QString("33"));
  QCOMPARE(form.Grid->Col(), 5);
}

void TCellEditorsTest::TabWithGridTabsMovesToTheNextCell() {
  TImageGridForm form;
  form.Fill(3);
  form.Grid->SetOptions(form.Grid->Options() | goTabs);
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 8, 1);
  QTest::keyClicks(edit, "8");
  QTest::keyClick(edit, Qt::Key_Tab); // past the last column: the first selectable one of the next row
  QCOMPARE(form.Grid->Cells(8, 1), QString("8"));
  QVERIFY(form.Grid->hasFocus());
  QCOMPARE(form.Grid->Row(), 2);
  QTest::keyClick(form.Grid, Qt::Key_Tab);
  QCOMPARE(form.Grid->Col(), 4);
  QVERIFY(form.Grid->hasFocus());
}

void TCellEditorsTest::EnterWritesBackAndKeepsTheCellEscapeCancels() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 4, 3);
  QTest::keyClicks(edit, "$000000FF");
  QTest::keyClick(edit, Qt::Key_Escape);
  QVERIFY(!edit->isVisible());
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
  QVERIFY(form.Grid->hasFocus());
  QCOMPARE(form.Grid->Cells(4, 3), QString("clFuchsia"));
  edit = OpenLineEditor(form, 4, 3);
  QTest::keyClicks(edit, "$000000FF");
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(form.Grid->Cells(4, 3), QString("$000000FF"));
  QVERIFY(!edit->isVisible());
  QVERIFY(form.Grid->hasFocus());
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
  QCOMPARE(form.Grid->Col(), 4);
  QCOMPARE(form.Grid->Row(), 3);
  QTest::keyClick(form.Grid, Qt::Key_Return); // Enter on the grid opens the editor again
  QVERIFY(form.Grid->ActiveEditor() == form.EditEditor);
}

void TCellEditorsTest::EndEditHandlerCanEndOnALetterOrSwallowAKey() {
  TImageGridForm form;
  form.Fill(3);
  std::vector<QWidget *> senders;
  form.UpDownEditor->AllowEndEditEvent = [&senders](QWidget *sender, int &key, Qt::KeyboardModifiers,
                                                    bool &endEdit) {
    senders.push_back(sender);
    if (key == Qt::Key_Q)
      endEdit = true;
    if (key == Qt::Key_Up)
      key = 0;
  };
  QVERIFY(ShowActive(form));
  QLineEdit *spin = OpenLineEditor(form, 6, 1);
  QTest::keyClicks(spin, "5");
  QTest::keyClick(spin, Qt::Key_Up); // swallowed: no step
  QCOMPARE(spin->text(), QString("5"));
  QVERIFY(spin->isVisible());
  QTest::keyClick(spin, Qt::Key_Q); // ends the edit; the letter goes to the grid, not into the text
  QVERIFY(!spin->isVisible());
  QCOMPARE(form.Grid->Cells(6, 1), QString("5"));
  QVERIFY(form.Grid->hasFocus());
  QVERIFY(!senders.empty() && senders.front() == spin);
}

void TCellEditorsTest::ComboFindsTheCellsItemInAnyCase() {
  TImageGridForm form;
  form.Fill(3);
  form.Grid->SetCells(3, 1, "false");
  form.Grid->SetCells(3, 2, "maybe");
  QVERIFY(ShowActive(form));
  auto *combo = qobject_cast<QComboBox *>(OpenEditor(form, 3, 1));
  QCOMPARE(combo->currentIndex(), 1);
  QCOMPARE(combo->currentText(), QString("False"));
  QTest::keyClick(combo, Qt::Key_Return);
  QCOMPARE(form.Grid->Cells(3, 1), QString("False"));

  OpenEditor(form, 3, 2);
  QCOMPARE(combo->currentIndex(), -1);
  QTest::keyClick(combo, Qt::Key_Return);
  form.ComboEditor->SetDefaultText("True");
  form.Grid->SetCells(3, 2, "maybe");
  OpenEditor(form, 3, 2);
  QCOMPARE(combo->currentText(), QString("True"));
}

void TCellEditorsTest::ComboTakesTheTypedLetterAsAKeyPress() {
  TImageGridForm form;
  form.Fill(3);
  form.Grid->SetCells(3, 2, "True");
  form.Grid->SetImmediateEditMode(true);
  QVERIFY(ShowActive(form));
  form.Grid->setFocus();
  form.Grid->SetSelection({3, 2, 3, 2});
  QTest::keyClick(form.Grid, Qt::Key_F, Qt::NoModifier);
  auto *combo = Inplace<QComboBox>(form.ComboEditor);
  QVERIFY(combo && combo->isVisible());
  QTRY_COMPARE(combo->currentText(), QString("False"));
  QCOMPARE(form.Grid->PendingChar(), char32_t(0));
}

void TCellEditorsTest::AlwaysShowEditorOpensOnEveryMove() {
  TImageGridForm form;
  form.Fill(3);
  form.Grid->SetOptions(form.Grid->Options() | goAlwaysShowEditor);
  QVERIFY(ShowActive(form));
  form.Grid->setFocus(); // taking the focus opens the current cell's editor
  QVERIFY(form.Grid->ActiveEditor() == form.ComboEditor);
  QTest::keyClick(Focused(), Qt::Key_Right); // a pick-only list ends the edit; the next cell opens at once
  QVERIFY(form.Grid->ActiveEditor() == form.EditEditor);
  QCOMPARE(form.Grid->EditCol(), 4);
  QLineEdit *edit = Inplace<QLineEdit>(form.EditEditor);
  QVERIFY(Focused() == edit);
  QTest::keyClicks(edit, "clAqua");
  ClickCell(form.Grid, 6, 3); // the press commits before it moves on
  QCOMPARE(form.Grid->Cells(4, 1), QString("clAqua"));
  QVERIFY(form.Grid->ActiveEditor() == form.UpDownEditor);
  QCOMPARE(form.Grid->EditRow(), 3);
}

void TCellEditorsTest::EllipsisKeepsTheEditActive() {
  TImageGridForm form;
  form.Fill(3);
  QObject *clickedBy = nullptr;
  form.EditEditor->OnElipsisClick = [&](QObject *sender) {
    clickedBy = sender;
    QVERIFY(Focused() == form.EditEditor->InplaceControl());
    // A modal chooser takes the focus for a while, as the colour picker does.
    QDialog chooser(&form);
    AnswerModal<QDialog>([](QDialog *modal) { modal->accept(); });
    chooser.exec();
    Inplace<QLineEdit>(form.EditEditor)->setText("clRed");
  };
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 4, 2);
  auto *button = form.findChild<QToolButton *>("EditCellEditor1Button");
  QVERIFY(button && button->isVisible());
  QCOMPARE(button->text(), QString("..."));
  // A square at the right end of the cell, the edit box over the rest.
  const QRect cell = form.Grid->CellRect(4, 2);
  QCOMPARE(button->geometry(), QRect(cell.right() - cell.height() + 1, cell.top(), cell.height(), cell.height()));
  QCOMPARE(edit->geometry(), QRect(cell.left(), cell.top(), cell.width() - cell.height(), cell.height()));

  QTest::mouseClick(button, Qt::LeftButton);
  QVERIFY(clickedBy == button);
  QVERIFY(edit->isVisible());
  QVERIFY(form.focusWidget() == edit); // the window gives it the focus back when it is active again
  QVERIFY(ShowActive(form));
  QVERIFY(Focused() == edit);
  QCOMPARE(form.Grid->Cells(4, 2), QString("clFuchsia"));
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(form.Grid->Cells(4, 2), QString("clRed"));
  QVERIFY(!button->isVisible());
}

void TCellEditorsTest::EditorDestroyedBeforeItsGrid() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  OpenEditor(form, 6, 2);
  QVERIFY(form.Grid->ActiveEditor() == form.UpDownEditor);
  delete form.UpDownEditor;
  for (int col = 5; col <= 8; ++col)
    QVERIFY(form.Grid->Columns()->Items(col)->Editor() == nullptr);
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
  QVERIFY(form.findChild<QWidget *>("UpDownCellEditor1Inplace") == nullptr);
  QVERIFY(form.findChild<QWidget *>("UpDownCellEditor1UpDown") == nullptr);
  ClickCell(form.Grid, 6, 2); // the column cannot be edited any more
  QVERIFY(form.Grid->ActiveEditor() == nullptr);
  form.Grid->viewport()->grab();
}

void TCellEditorsTest::GridDestroyedBeforeItsEditors() {
  TImageGridForm form;
  form.Fill(3);
  QVERIFY(ShowActive(form));
  QLineEdit *edit = OpenLineEditor(form, 4, 2);
  QTest::keyClicks(edit, "clLime");
  delete form.Grid;
  QVERIFY(form.EditEditor->Grid() == nullptr);
  QCOMPARE(form.EditEditor->AttachCount(), 0);
  QCOMPARE(form.UpDownEditor->AttachCount(), 0);
  // The in-place windows went back to the owner and survive; the editors can still be freed.
  QVERIFY(Inplace(form.EditEditor) == edit);
  QVERIFY(edit->parentWidget() == &form);
  QVERIFY(!edit->isVisible());
  QVERIFY(form.findChild<QWidget *>("EditCellEditor1Button") != nullptr);

  // A new grid takes the same editors.
  TXStringGrid grid(&form);
  grid.SetColCount(9);
  grid.Columns()->Items(4)->SetEditor(form.EditEditor);
  QVERIFY(edit->parentWidget() == grid.viewport());
  delete form.EditEditor;
  QVERIFY(grid.Columns()->Items(4)->Editor() == nullptr);
}

namespace {
// The text SetupInplace fails with, or "(made)" when the control was made.
QString SetupError(TMetaCellEditor &editor) {
  try {
    editor.SetupInplace();
  } catch (const ECellEditorError &error) {
    return QString::fromUtf8(error.what());
  }
  return QStringLiteral("(made)");
}
} // namespace

void TCellEditorsTest::ControlNeedsAWidgetOwner() {
  QObject owner;
  TEditCellEditor editor(&owner);
  QCOMPARE(SetupError(editor), QString("Cell Editor not of type TCellEditor"));
  QVERIFY(editor.InplaceControl() == nullptr);

  // A factory that fails gives its own reason, not a generic text.
  struct TFailingEditor : TEditCellEditor {
    using TEditCellEditor::TEditCellEditor;
    QWidget *CreateInplaceControl(QWidget *) override { throw Exception("no room for the control"); }
  };
  QWidget window;
  TFailingEditor failing(&window);
  QCOMPARE(SetupError(failing), QString("no room for the control"));
  QVERIFY(failing.InplaceControl() == nullptr);
}

QTEST_MAIN(TCellEditorsTest)
#include "CellEditors_test.moc"
