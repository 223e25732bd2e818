// The cell-editor protocol: binding to one grid, writing text back, and owning a hidden in-place control.
#pragma once

#include "platform/Exceptions.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

class TXStringGrid;

class ECellEditorError : public Exception {
public:
  using Exception::Exception;
};

// A non-visual component, owned by its window, that columns of one grid use to edit their cells.
class TCellEditor : public QObject {
  Q_OBJECT

public:
  explicit TCellEditor(QObject *owner = nullptr);
  // Leaves every column that uses the editor without one.
  ~TCellEditor() override;

  QString DefaultText() const { return defaultText; }
  void SetDefaultText(const QString &text) { defaultText = text; }
  TXStringGrid *Grid() const { return grid; }
  int AttachCount() const { return attachCount; }

  // Asked on every key pressed in the in-place control; endEdit arrives with the control's own decision,
  // and a key set to 0 is swallowed.
  std::function<void(QWidget *sender, int &key, Qt::KeyboardModifiers shift, bool &endEdit)> AllowEndEditEvent;

  // One binding per column using the editor; fails with ECellEditorError while bound to another grid.
  virtual void Attach(TXStringGrid *target);
  virtual void Detach();
  virtual void DestroyInplaceWindow() {}
  virtual void SetupInplace() {}
  // Loads the control from the grid's current cell, or from the grid's pending character.
  virtual void StartEdit() = 0;
  // Writes the control's text into the cell whose edit started (EditCol, EditRow).
  virtual void CommitEdit() = 0;
  virtual void SetCellText(const QString &text);
  virtual void ShowAt(const QRect &rect) = 0;
  // Hides the control and clears the grid's ActiveEditor; the focus loss that follows writes the text back.
  virtual void Hide() = 0;

protected:
  void ClearActiveEditor();

private:
  QString defaultText;
  TXStringGrid *grid = nullptr;
  int attachCount = 0;
};

// An editor with an in-place control that sits over the grid's viewport while the editor is bound, and in its
// owner window otherwise. The owner must be a widget.
class TMetaCellEditor : public TCellEditor {
  Q_OBJECT

public:
  using TCellEditor::TCellEditor;
  ~TMetaCellEditor() override;

  void Attach(TXStringGrid *target) override;
  void Detach() override;
  void DestroyInplaceWindow() override;
  // Creates the control unless it exists; fails with ECellEditorError "Cell Editor not of type TCellEditor" when
  // no control comes, and with the factory's own text when making it failed.
  void SetupInplace() override;
  void ShowAt(const QRect &rect) override;
  // Hides the control and the widgets beside it.
  void Hide() override;
  // The in-place control, or none before the first edit; the ellipsis handler reads and writes its text.
  QWidget *InplaceControl() const { return inplace; }
  // True while the editor is being destroyed: its control then no longer writes back.
  bool Destroying() const { return destroying; }

protected:
  virtual QWidget *CreateInplaceControl(QWidget *owner);
  // The widgets that sit beside the control over the grid: the ellipsis button, the spinner.
  virtual QList<QWidget *> CompanionWidgets() const { return {}; }
  void MoveInplaceWindows(QWidget *parent);
  // The first step of every edit start: the control exists and sits in the grid.
  void EnsureInplace();

private:
  QPointer<QWidget> inplace;
  bool destroying = false;
};
