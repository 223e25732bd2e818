// Key decisions, focus loss and spinner steps of the in-place controls.
#include "grid/InplaceControls.h"

#include "grid/XStringGrid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace {

bool CaretAtStart(const QLineEdit *edit) {
  return edit && !edit->hasSelectedText() && edit->cursorPosition() == 0;
}

bool CaretAtEnd(const QLineEdit *edit) {
  return edit && !edit->hasSelectedText() && edit->cursorPosition() >= edit->text().length();
}

bool IsTab(int key) { return key == Qt::Key_Tab || key == Qt::Key_Backtab; }

} // namespace

int IntegerOrZero(const QString &text) {
  bool ok = false;
  const int value = text.toInt(&ok, 10);
  return ok ? value : 0;
}

// --- common rules ---------------------------------------------------------------------------------------------

template <class TBase>
TInplaceControl<TBase>::TInplaceControl(TMetaCellEditor *editor, QWidget *owner) : TBase(owner), cellEditor(editor) {
  this->setObjectName(editor->objectName() + QStringLiteral("Inplace"));
  this->setVisible(false);
  this->setFocusPolicy(Qt::ClickFocus); // not a tab stop
}

template <class TBase> bool TInplaceControl<TBase>::GridHasTabs() const {
  const TXStringGrid *grid = cellEditor->Grid();
  return grid && (grid->Options() & goTabs);
}

template <class TBase> bool TInplaceControl<TBase>::EndsEdit(int key) const { return IsTab(key) && GridHasTabs(); }

template <class TBase> bool TInplaceControl<TBase>::event(QEvent *event) {
  // Tab reaches the control only when the grid moves between cells with it; otherwise it moves the focus on.
  if (event->type() == QEvent::KeyPress && GridHasTabs()) {
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    if (IsTab(keyEvent->key()) && !(keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      keyPressEvent(keyEvent);
      return true;
    }
  }
  return TBase::event(event);
}

template <class TBase> void TInplaceControl<TBase>::keyPressEvent(QKeyEvent *event) {
  int key = event->key();
  const Qt::KeyboardModifiers shift = event->modifiers();
  TXStringGrid *grid = cellEditor->Grid();
  bool endEdit = EndsEdit(key);
  if (cellEditor->AllowEndEditEvent)
    cellEditor->AllowEndEditEvent(this, key, shift, endEdit);
  if (endEdit) {
    FocusLost();
    if (grid) {
      // A Tab past the last cell passes the focus on from the grid, so the grid has it first; any other key
      // moves the current cell before the grid takes the focus back (which may open the next cell's editor).
      const bool backwards = key == Qt::Key_Backtab || (shift & Qt::ShiftModifier);
      if (IsTab(key) && grid->TabLeavesGrid(backwards)) {
        grid->setFocus(Qt::OtherFocusReason);
        grid->KeyDown(key, shift);
      } else {
        grid->KeyDown(key, shift);
        grid->setFocus(Qt::OtherFocusReason);
      }
    }
    key = 0;
  }
  KeyAfterDecision(key);
  event->accept();
  if (key == 0 || IsTab(key))
    return;
  if (key == Qt::Key_Escape) {
    CancelEdit();
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    FocusLost();
    if (grid)
      grid->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (key == event->key()) {
    TBase::keyPressEvent(event);
  } else {
    QKeyEvent changed(event->type(), key, shift);
    TBase::keyPressEvent(&changed);
  }
  event->accept(); // nothing typed into the control reaches the grid behind it
}

template <class TBase> void TInplaceControl<TBase>::focusOutEvent(QFocusEvent *event) {
  TBase::focusOutEvent(event);
  // A drop-down list, a menu or another window taking the focus for a while does not end the edit.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason || reason == Qt::MenuBarFocusReason)
    return;
  FocusLost();
}

template <class TBase> void TInplaceControl<TBase>::FocusLost() {
  // Hiding a focused control takes its focus away again; the edit is already ending then.
  if (losingFocus || this->isHidden() || cellEditor->Destroying())
    return;
  const QScopedValueRollback<bool> reset(losingFocus, true);
  cellEditor->CommitEdit();
  cellEditor->Hide();
}

template <class TBase> void TInplaceControl<TBase>::CancelEdit() {
  if (losingFocus || this->isHidden())
    return;
  TXStringGrid *grid = cellEditor->Grid();
  // The focus loss that hiding causes must not write the text back.
  const QScopedValueRollback<bool> reset(losingFocus, true);
  cellEditor->Hide();
  if (grid)
    grid->setFocus(Qt::OtherFocusReason);
}

template class TInplaceControl<QLineEdit>;
template class TInplaceControl<QComboBox>;

// --- edit box with ellipsis button ----------------------------------------------------------------------------

TInplaceSpeedButton::TInplaceSpeedButton(QWidget *parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setVisible(false);
}

TEditInplace::TEditInplace(TMetaCellEditor *editor, QWidget *owner, bool withButton)
    : TInplaceControl<QLineEdit>(editor, owner) {
  setFrame(false);
  if (withButton) {
    button = new TInplaceSpeedButton(owner);
    button->setObjectName(editor->objectName() + QStringLiteral("Button"));
    // A click would otherwise hand the focus to the grid behind the button.
    button->setFocusProxy(this);
  }
}

TEditInplace::~TEditInplace() { delete button.data(); }

bool TEditInplace::EndsEdit(int key) const {
  switch (key) {
  case Qt::Key_Left: return CaretAtStart(this);
  case Qt::Key_Right: return CaretAtEnd(this);
  case Qt::Key_Up:
  case Qt::Key_Down: return true;
  default: return TInplaceControl::EndsEdit(key);
  }
}

// --- combo box ------------------------------------------------------------------------------------------------

TComboInplace::TComboInplace(TMetaCellEditor *editor, QWidget *owner, TComboBoxStyle initialStyle)
    : TInplaceControl<QComboBox>(editor, owner) {
  setInsertPolicy(QComboBox::NoInsert);
  SetStyle(initialStyle);
}

void TComboInplace::SetStyle(TComboBoxStyle value) {
  style = value;
  const bool editable = style == csDropDown || style == csSimple;
  if (editable == isEditable())
    return;
  // Qt would delete the old line edit later, and its deletion takes the focus from a combo being edited by then.
  QLineEdit *oldEdit = lineEdit();
  setEditable(editable);
  delete oldEdit;
}

bool TComboInplace::EndsEdit(int key) const {
  switch (key) {
  case Qt::Key_Left: return style != csDropDown || CaretAtStart(lineEdit());
  case Qt::Key_Right: return style != csDropDown || CaretAtEnd(lineEdit());
  default: return TInplaceControl::EndsEdit(key);
  }
}

// --- spinner --------------------------------------------------------------------------------------------------

TInplaceUpDown::TInplaceUpDown(QWidget *parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setVisible(false);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const TUDBtnType direction : {btNext, btPrev}) {
    auto *arrow = new QToolButton(this);
    arrow->setObjectName(direction == btNext ? QStringLiteral("Up") : QStringLiteral("Down"));
    arrow->setArrowType(direction == btNext ? Qt::UpArrow : Qt::DownArrow);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setAutoRepeat(true);
    arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    layout->addWidget(arrow);
    QObject::connect(arrow, &QToolButton::clicked, this, [this, direction] {
      if (OnClick)
        OnClick(direction);
    });
  }
  resize(16, 20);
}

TUpDownInplace::TUpDownInplace(TMetaCellEditor *editor, QWidget *owner) : TInplaceControl<QLineEdit>(editor, owner) {
  setFrame(false);
  upDown = new TInplaceUpDown(owner);
  upDown->setObjectName(editor->objectName() + QStringLiteral("UpDown"));
  upDown->setFocusProxy(this); // a click would otherwise hand the focus to the grid behind the spinner
  upDown->OnClick = [this](TUDBtnType direction) { UpDownClick(direction); };
}

TUpDownInplace::~TUpDownInplace() { delete upDown.data(); }

bool TUpDownInplace::EndsEdit(int key) const {
  switch (key) {
  case Qt::Key_Left: return CaretAtStart(this);
  case Qt::Key_Right: return CaretAtEnd(this);
  default: return TInplaceControl::EndsEdit(key);
  }
}

void TUpDownInplace::KeyAfterDecision(int &key) {
  if (key == Qt::Key_Down || key == Qt::Key_Up) {
    UpDownClick(key == Qt::Key_Up ? btNext : btPrev);
    key = 0;
  }
}

void TUpDownInplace::UpDownClick(TUDBtnType direction) {
  if (!upDown)
    return;
  qint64 value = IntegerOrZero(text());
  if (direction == btNext && value + upDown->Increment <= upDown->Max)
    value += upDown->Increment;
  else if (direction == btPrev && value - upDown->Increment >= upDown->Min)
    value -= upDown->Increment;
  upDown->Position = int(std::clamp<qint64>(value, INT_MIN, INT_MAX));
  setText(QString::number(value));
}
