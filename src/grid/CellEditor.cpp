// Binding editors to a grid and moving their in-place controls between the grid and the owner window.
#include "grid/CellEditor.h"

#include "grid/XStringGrid.h"

TCellEditor::TCellEditor(QObject *owner) : QObject(owner) {}

TCellEditor::~TCellEditor() {
  ClearActiveEditor();
  if (TXStringGrid *bound = grid) {
    TXStringColumns *columns = bound->Columns();
    for (int col = 0; col < columns->Count() && grid; ++col)
      if (columns->Items(col)->Editor() == this)
        columns->Items(col)->SetEditor(nullptr);
  }
}

void TCellEditor::Attach(TXStringGrid *target) {
  if (target == grid) {
    ++attachCount;
    return;
  }
  if (grid)
    throw ECellEditorError(Substitute("%s is allready assigned to %s",
                                      {objectName().toStdString(), grid->objectName().toStdString()}));
  grid = target;
  attachCount = 1;
}

void TCellEditor::Detach() {
  if (attachCount > 0 && --attachCount == 0)
    grid = nullptr;
}

void TCellEditor::SetCellText(const QString &text) {
  if (grid)
    grid->SetEditText(grid->EditCol(), grid->EditRow(), text);
}

void TCellEditor::ClearActiveEditor() {
  if (grid && grid->activeEditor == this)
    grid->activeEditor = nullptr;
}

TMetaCellEditor::~TMetaCellEditor() {
  destroying = true;
  ClearActiveEditor();
  delete inplace.data();
}

void TMetaCellEditor::Attach(TXStringGrid *target) {
  TCellEditor::Attach(target);
  if (inplace && Grid())
    MoveInplaceWindows(Grid()->viewport());
}

void TMetaCellEditor::Detach() {
  TCellEditor::Detach();
  // A control left in a grid the editor no longer serves would die with that grid.
  if (!Grid())
    DestroyInplaceWindow();
}

void TMetaCellEditor::DestroyInplaceWindow() {
  if (inplace)
    MoveInplaceWindows(qobject_cast<QWidget *>(parent()));
}

void TMetaCellEditor::MoveInplaceWindows(QWidget *target) {
  QList<QWidget *> windows = CompanionWidgets();
  windows.append(inplace.data());
  for (QWidget *window : windows) {
    if (window && window->parentWidget() != target) {
      window->hide();
      window->setParent(target);
    }
  }
}

void TMetaCellEditor::SetupInplace() {
  if (!inplace) {
    auto *owner = qobject_cast<QWidget *>(parent());
    QWidget *control = nullptr;
    try {
      control = owner ? CreateInplaceControl(owner) : nullptr;
    } catch (const ECellEditorError &) {
      throw;
    } catch (const std::exception &cause) {
      // The factory's own failure (memory, a control it could not make) is what the user needs to read.
      throw ECellEditorError(cause.what());
    }
    if (!control)
      throw ECellEditorError("Cell Editor not of type TCellEditor");
    inplace = control;
  }
  if (Grid())
    MoveInplaceWindows(Grid()->viewport());
}

QWidget *TMetaCellEditor::CreateInplaceControl(QWidget *) { return nullptr; }

void TMetaCellEditor::ShowAt(const QRect &rect) {
  if (!inplace)
    return;
  inplace->setGeometry(rect);
  inplace->show();
  inplace->raise();
  inplace->setFocus(Qt::OtherFocusReason);
}

void TMetaCellEditor::Hide() {
  if (inplace) {
    // Dropping the focus first keeps Qt from passing it on to some other control of the window.
    if (inplace->hasFocus())
      inplace->clearFocus();
    inplace->hide();
  }
  ClearActiveEditor();
  for (QWidget *companion : CompanionWidgets())
    companion->hide();
}

void TMetaCellEditor::EnsureInplace() {
  if (!inplace || !Grid())
    SetupInplace();
}
