// Undo and redo in the main window: the Úpravy menu, the commands' changes recorded in the document's history,
// and the steps back and forth through it.
#include "editor/fTovrikEditor.h"

#include "grid/CellEditors.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/MediaDocument.h"
#include "media/UndoHistory.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {
// Ctrl+Z and Ctrl+Y in an in-place editor undo and redo its typing; once it has none of its own left, the keys
// reach Zpět and Znovu, which end the edit and step through the document's history.
class TUndoKeysPassOn : public QObject {
public:
  TUndoKeysPassOn(QObject *parent, const QAction &undo, const QAction &redo)
      : QObject(parent), undo(undo), redo(redo) {}

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || event->type() != QEvent::ShortcutOverride)
      return false;
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
    if ((undo.shortcuts().contains(pressed) && !edit->isUndoAvailable()) ||
        (redo.shortcuts().contains(pressed) && !edit->isRedoAvailable())) {
      event->ignore();
      return true;
    }
    return false;
  }

private:
  const QAction &undo;
  const QAction &redo;
};
} // namespace

void TForm1::BuildUndo() {
  Zpet1 = findChild<QAction *>(QStringLiteral("Zpet1"));
  Znovu1 = findChild<QAction *>(QStringLiteral("Znovu1"));

  auto *passOn = new TUndoKeysPassOn(this, *Zpet1, *Znovu1);
  for (TMetaCellEditor *editor : std::initializer_list<TMetaCellEditor *>{
           EditCellEditor1, UpDownCellEditor1, UpDownCellEditor2, UpDownCellEditor3, UpDownCellEditor4})
    if (QWidget *control = editor->InplaceControl())
      control->installEventFilter(passOn);
}

void TForm1::ZpetClick() { StepHistory(true); }

void TForm1::ZnovuClick() { StepHistory(false); }

void TForm1::AsOneChange(const std::function<void()> &work) { Controller().AsOneChange(work); }

void TForm1::StepHistory(bool back) {
  // An edit still open is a change of its own: it goes into the history first, so Zpět takes it back.
  EndEdit();
  int row = -1;
  try {
    row = back ? Controller().Undo() : Controller().Redo();
  } catch (...) {
    // The list may have gone part of the way: what it holds now is shown, and it is no saved state.
    ShowChangedDocument();
    throw;
  }
  FillKindGrid();
  TXStringGrid &grid = KindGrid();
  const int count = Controller().ShownCount();
  if (row >= 1)
    grid.SetRow(row);
  else if (grid.Row() > count && count > 0)
    grid.SetRow(count);
  ShowHistoryState();
  emit DocumentChanged();
}

void TForm1::ShowHistoryState() {
  EnableMenu();
  UpdateTitle();
  ScheduleJournal();
}
