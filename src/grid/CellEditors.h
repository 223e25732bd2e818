// The three concrete cell editors: edit box with optional ellipsis button, combo box, and integer spinner.
#pragma once

#include "grid/CellEditor.h"
#include "grid/GridTypes.h"

#include <QStringList>

class TEditInplace;
class TComboInplace;
class TUpDownInplace;

class TEditCellEditor : public TMetaCellEditor {
  Q_OBJECT

public:
  using TMetaCellEditor::TMetaCellEditor;

  // Read when the in-place control is created, so set it before the first edit.
  bool HasElipsis() const { return hasElipsis; }
  void SetHasElipsis(bool value) { hasElipsis = value; }
  QString ElipsisCaption() const { return elipsisCaption; }
  void SetElipsisCaption(const QString &caption);
  // Raised with the button as sender; the edit box keeps the focus, and its text reaches the cell when the edit ends.
  std::function<void(QObject *sender)> OnElipsisClick;

  void StartEdit() override;
  void CommitEdit() override;
  void ShowAt(const QRect &rect) override;

protected:
  QWidget *CreateInplaceControl(QWidget *owner) override;
  QList<QWidget *> CompanionWidgets() const override;

private:
  TEditInplace *Edit() const;

  bool hasElipsis = false;
  QString elipsisCaption;
};

class TComboCellEditor : public TMetaCellEditor {
  Q_OBJECT

public:
  using TMetaCellEditor::TMetaCellEditor;

  virtual TComboBoxStyle Style() const { return style; }
  virtual void SetStyle(TComboBoxStyle value);
  const QStringList &Items() const { return items; }
  void SetItems(const QStringList &value);

  void StartEdit() override;
  void CommitEdit() override;

protected:
  QWidget *CreateInplaceControl(QWidget *owner) override;

private:
  TComboInplace *Combo() const;

  TComboBoxStyle style = csDropDown;
  QStringList items;
};

class TUpDownCellEditor : public TMetaCellEditor {
  Q_OBJECT

public:
  using TMetaCellEditor::TMetaCellEditor;

  int Min() const { return min; }
  void SetMin(int value);
  int Max() const { return max; }
  void SetMax(int value);
  int Increment() const { return increment; }
  void SetIncrement(int value);

  void StartEdit() override;
  void CommitEdit() override;
  void ShowAt(const QRect &rect) override;

protected:
  QWidget *CreateInplaceControl(QWidget *owner) override;
  QList<QWidget *> CompanionWidgets() const override;

private:
  TUpDownInplace *Spin() const;

  int min = 0;
  int max = 10;
  int increment = 1;
};
