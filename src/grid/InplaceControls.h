// The in-place controls the cell editors lay over a cell: edit box with ellipsis button, combo box, spinner edit.
#pragma once

#include "grid/GridTypes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <functional>

class TMetaCellEditor;

// Key and focus rules shared by every in-place control. A key may end the edit (the control decides, the
// editor's AllowEndEditEvent may overrule); then the text goes back to the cell and the grid handles the key.
template <class TBase> class TInplaceControl : public TBase {
public:
  TInplaceControl(TMetaCellEditor *cellEditor, QWidget *owner);
  TMetaCellEditor *CellEditor() const { return cellEditor; }
  // What losing the focus does: write the text back and hide. Also run directly when a key ends the edit.
  void FocusLost();
  // Escape: hide without writing back, so the cell keeps its text, and give the grid the focus again.
  void CancelEdit();

protected:
  // The control's own decision; the base answers Tab (when the grid moves between cells with it).
  virtual bool EndsEdit(int key) const;
  // Runs after the decision with a key still alive; sets it to 0 when it used it.
  virtual void KeyAfterDecision(int &) {}
  bool GridHasTabs() const;

  bool event(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

private:
  TMetaCellEditor *cellEditor;
  bool losingFocus = false;
};

// The square "..." button at the right end of the edited cell; it never takes the focus.
class TInplaceSpeedButton : public QToolButton {
  Q_OBJECT

public:
  explicit TInplaceSpeedButton(QWidget *parent);
};

class TEditInplace : public TInplaceControl<QLineEdit> {
public:
  // Creates the ellipsis button too when the editor asks for one.
  TEditInplace(TMetaCellEditor *cellEditor, QWidget *owner, bool withButton);
  ~TEditInplace() override;
  TInplaceSpeedButton *Button() const { return button; }

protected:
  bool EndsEdit(int key) const override;

private:
  QPointer<TInplaceSpeedButton> button;
};

class TComboInplace : public TInplaceControl<QComboBox> {
public:
  TComboInplace(TMetaCellEditor *cellEditor, QWidget *owner, TComboBoxStyle initialStyle);
  TComboBoxStyle Style() const { return style; }
  void SetStyle(TComboBoxStyle value);

protected:
  bool EndsEdit(int key) const override;

private:
  TComboBoxStyle style = csDropDownList;
};

// Two arrow buttons stepping an integer; the owning edit box does the stepping when told of a click.
class TInplaceUpDown : public QWidget {
  Q_OBJECT

public:
  explicit TInplaceUpDown(QWidget *parent);
  int Min = 0;
  int Max = 10;
  int Increment = 1;
  int Position = 0;
  std::function<void(TUDBtnType button)> OnClick;
};

class TUpDownInplace : public TInplaceControl<QLineEdit> {
public:
  TUpDownInplace(TMetaCellEditor *cellEditor, QWidget *owner);
  ~TUpDownInplace() override;
  TInplaceUpDown *UpDown() const { return upDown; }
  // One step of Increment towards a bound; a step that would pass the bound is refused whole.
  void UpDownClick(TUDBtnType button);

protected:
  bool EndsEdit(int key) const override;
  void KeyAfterDecision(int &key) override;

private:
  QPointer<TInplaceUpDown> upDown;
};

// The text as a decimal integer, or 0 when it is none.
int IntegerOrZero(const QString &text);
