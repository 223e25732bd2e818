// Loading, placing and writing back the three concrete cell editors.
#include "grid/CellEditors.h"

#include "grid/InplaceControls.h"
#include "grid/XStringGrid.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>

namespace {

QString CharText(char32_t ch) { return QString::fromUcs4(&ch, 1); }

// An edit box starts with the typed character (caret after it) or with the current cell's text, all selected.
void LoadEditText(const TCellEditor &editor, QLineEdit &edit) {
  TXStringGrid *grid = editor.Grid();
  if (grid->PendingChar() != 0) {
    edit.setText(CharText(grid->PendingChar()));
    grid->SetPendingChar(0);
    edit.deselect();
    edit.setCursorPosition(int(edit.text().length()));
    return;
  }
  const QString text = grid->GetEditText(grid->Col(), grid->Row());
  edit.setText(text.isEmpty() ? editor.DefaultText() : text);
  edit.selectAll();
}

} // namespace

// --- edit box -------------------------------------------------------------------------------------------------

TEditInplace *TEditCellEditor::Edit() const { return static_cast<TEditInplace *>(InplaceControl()); }

void TEditCellEditor::SetElipsisCaption(const QString &caption) {
  elipsisCaption = caption;
  if (Edit() && Edit()->Button())
    Edit()->Button()->setText(caption);
}

QWidget *TEditCellEditor::CreateInplaceControl(QWidget *owner) {
  auto *edit = new TEditInplace(this, owner, hasElipsis);
  if (TInplaceSpeedButton *button = edit->Button()) {
    button->setText(elipsisCaption);
    connect(button, &QToolButton::clicked, this, [this, button] {
      if (OnElipsisClick)
        OnElipsisClick(button);
    });
  }
  return edit;
}

QList<QWidget *> TEditCellEditor::CompanionWidgets() const {
  if (Edit() && Edit()->Button())
    return {Edit()->Button()};
  return {};
}

void TEditCellEditor::StartEdit() {
  EnsureInplace();
  LoadEditText(*this, *Edit());
}

void TEditCellEditor::CommitEdit() {
  if (Edit() && Grid())
    SetCellText(Edit()->text());
}

void TEditCellEditor::ShowAt(const QRect &rect) {
  TEditInplace *edit = Edit();
  if (!edit)
    return;
  const int side = rect.height();
  TInplaceSpeedButton *button = edit->Button();
  QRect editRect = rect;
  if (button)
    editRect.setWidth(rect.width() - side);
  TMetaCellEditor::ShowAt(editRect);
  // The line edit keeps 2 pixels of its own on the left, where the grid draws its text too.
  edit->setTextMargins(0, 0, 0, 0);
  if (button) {
    button->setGeometry(editRect.x() + editRect.width(), editRect.y(), side, side);
    button->show();
    button->raise();
  }
}

// --- combo box ------------------------------------------------------------------------------------------------

TComboInplace *TComboCellEditor::Combo() const { return static_cast<TComboInplace *>(InplaceControl()); }

void TComboCellEditor::SetStyle(TComboBoxStyle value) {
  style = value;
  if (Combo())
    Combo()->SetStyle(value);
}

void TComboCellEditor::SetItems(const QStringList &value) {
  items = value;
  if (Combo()) {
    Combo()->clear();
    Combo()->addItems(items);
  }
}

QWidget *TComboCellEditor::CreateInplaceControl(QWidget *owner) {
  return new TComboInplace(this, owner, style);
}

void TComboCellEditor::StartEdit() {
  EnsureInplace();
  TComboInplace *combo = Combo();
  TXStringGrid *grid = Grid();
  combo->clear();
  combo->addItems(items);
  // A pick-only list selects the first item equal to the text in any letter case, or none.
  const auto load = [combo](const QString &text) {
    if (combo->isEditable())
      combo->setEditText(text);
    else
      combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString));
  };
  const QString cellText = grid->GetEditText(grid->Col(), grid->Row());
  if (const char32_t ch = grid->PendingChar(); ch != 0) {
    grid->SetPendingChar(0);
    // The character arrives as a key press once the combo is shown: it starts a typed text afresh, or moves
    // a pick-only list from the cell's own item to the first item starting with that letter.
    load(combo->isEditable() ? QString() : cellText);
    const int key = ch >= U'a' && ch <= U'z' ? int(ch) - 32 : int(ch);
    QCoreApplication::postEvent(combo, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, CharText(ch)));
    return;
  }
  load(cellText);
  if (combo->currentText().isEmpty())
    load(DefaultText());
}

void TComboCellEditor::CommitEdit() {
  if (Combo() && Grid())
    SetCellText(Combo()->currentText());
}

// --- spinner --------------------------------------------------------------------------------------------------

TUpDownInplace *TUpDownCellEditor::Spin() const { return static_cast<TUpDownInplace *>(InplaceControl()); }

void TUpDownCellEditor::SetMin(int value) {
  min = value;
  if (Spin() && Spin()->UpDown())
    Spin()->UpDown()->Min = value;
}

void TUpDownCellEditor::SetMax(int value) {
  max = value;
  if (Spin() && Spin()->UpDown())
    Spin()->UpDown()->Max = value;
}

void TUpDownCellEditor::SetIncrement(int value) {
  increment = value;
  if (Spin() && Spin()->UpDown())
    Spin()->UpDown()->Increment = value;
}

QWidget *TUpDownCellEditor::CreateInplaceControl(QWidget *owner) {
  auto *spin = new TUpDownInplace(this, owner);
  spin->UpDown()->Max = max;
  spin->UpDown()->Min = min;
  spin->UpDown()->Increment = increment;
  return spin;
}

QList<QWidget *> TUpDownCellEditor::CompanionWidgets() const {
  if (Spin() && Spin()->UpDown())
    return {Spin()->UpDown()};
  return {};
}

void TUpDownCellEditor::StartEdit() {
  EnsureInplace();
  LoadEditText(*this, *Spin());
  if (Spin()->UpDown())
    Spin()->UpDown()->Position = IntegerOrZero(Spin()->text());
}

void TUpDownCellEditor::CommitEdit() {
  if (Spin() && Grid())
    SetCellText(Spin()->text());
}

void TUpDownCellEditor::ShowAt(const QRect &rect) {
  TUpDownInplace *spin = Spin();
  if (!spin)
    return;
  TInplaceUpDown *upDown = spin->UpDown();
  const int spinnerWidth = upDown ? upDown->width() : 0;
  const QRect editRect(rect.x() + 1, rect.y() + 1, rect.width() - spinnerWidth - 1, rect.height() - 2);
  TMetaCellEditor::ShowAt(editRect);
  if (upDown) {
    upDown->setGeometry(editRect.x() + editRect.width(), editRect.y(), spinnerWidth, editRect.height());
    upDown->show();
    upDown->raise();
  }
}
