// Driving the main window in tests as a user would: menu entries, buttons, grid cells, and answers to modal dialogs.
#pragma once

#include "editor/ProgresForm.h"
#include "editor/fTovrikEditor.h"
#include "grid/XStringGrid.h"
#include "support/ModalAnswer.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QPointer>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <deque>
#include <functional>
#include <initializer_list>

namespace EditorDriver {

inline TXStringGrid *Grid(TForm1 &form, const char *name) {
  return form.findChild<TXStringGrid *>(QString::fromLatin1(name));
}
inline TXStringGrid *ImagesGrid(TForm1 &form) { return Grid(form, "XStringGrid1"); }
inline TXStringGrid *SoundsGrid(TForm1 &form) { return Grid(form, "XStringGrid2"); }

inline void Show(TForm1 &form) {
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
}

inline void Trigger(TForm1 &form, const char *action) {
  QAction *found = form.findChild<QAction *>(QString::fromLatin1(action));
  QVERIFY2(found, action);
  found->trigger();
}

inline void Click(TForm1 &form, const char *button) {
  QPushButton *found = form.findChild<QPushButton *>(QString::fromLatin1(button));
  QVERIFY2(found, button);
  QTest::mouseClick(found, Qt::LeftButton);
}

inline QString StatusText(TForm1 &form, int panel) {
  return form.findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(panel))->text();
}

// Runs answer on the next modal widget once it is up; answer must close it.
inline void WhenModal(std::function<void(QWidget *)> answer) { AnswerModal(std::move(answer)); }

// Answers the modal windows that come up from now on, in order, each as soon as it is shown: the answer runs in
// the window's own event loop and must close it. Modals beyond the answers are left to the user (the test).
class TModalAnswers : public QObject {
public:
  explicit TModalAnswers(std::initializer_list<std::function<void(QWidget *)>> answers) : answers(answers) {
    qApp->installEventFilter(this);
  }
  ~TModalAnswers() override { qApp->removeEventFilter(this); }
  bool AllGiven() const { return answers.empty(); }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::Show && widget && widget->isWindow() && widget->isModal() && !answers.empty()) {
      std::function<void(QWidget *)> answer = answers.front();
      answers.pop_front();
      QMetaObject::invokeMethod(
          widget, [answer, modal = QPointer<QWidget>(widget)] { if (modal) answer(modal); }, Qt::QueuedConnection);
    }
    return false;
  }

private:
  std::deque<std::function<void(QWidget *)>> answers;
};

// Answers for TModalAnswers: a button of a message box by its object name, and a file dialog's choice.
inline std::function<void(QWidget *)> PressButton(const char *name) {
  return [name](QWidget *modal) {
    auto *button = modal->findChild<QAbstractButton *>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    button->click();
  };
}

// Types names (file names or a quoted list) into a file dialog showing folder, and accepts.
inline void AcceptNames(QWidget *modal, const QString &folder, const QString &names) {
  auto *dialog = qobject_cast<QFileDialog *>(modal);
  QVERIFY2(dialog, "a file dialog is up");
  dialog->setDirectory(folder);
  // What the dialog had selected before would win over the typed names.
  for (QAbstractItemView *view : dialog->findChildren<QAbstractItemView *>())
    if (view->selectionModel())
      view->selectionModel()->clearSelection();
  auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
  QVERIFY(edit);
  edit->setText(names);
  QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
}

inline std::function<void(QWidget *)> ChooseFile(const QString &path) {
  return [path](QWidget *modal) { AcceptNames(modal, QFileInfo(path).absolutePath(), QFileInfo(path).fileName()); };
}

// After a modal dialog the window system gives the focus back to the main window; here the test does. Done
// before an answer to a coming dialog is queued, since waiting for the activation runs queued work.
inline void Activate(QWidget &window) {
  window.activateWindow();
  QTRY_VERIFY(window.isActiveWindow());
}

// A key pressed as a user presses it, at the widget with the focus unless another target is named.
inline void Press(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget *receiver = target ? target : QApplication::focusWidget();
  QVERIFY(receiver);
  if (!receiver->window()->isActiveWindow())
    Activate(*receiver->window());
  QTest::keyClick(receiver, Qt::Key(key), modifiers);
}

// Types text as a user does: each key goes to whatever has the focus at that moment.
inline void TypeKeys(const QString &text) {
  for (const QChar ch : text)
    QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

// The next file dialog chooses files (full paths, all in one folder), or is cancelled when files is empty.
inline void ChooseFiles(const QStringList &files, QString *proposed = nullptr) {
  AnswerModal<QFileDialog>([files, proposed](QFileDialog *dialog) {
    if (proposed)
      *proposed = dialog->selectedFiles().value(0);
    if (files.isEmpty()) {
      dialog->reject();
      return;
    }
    QStringList names;
    for (const QString &file : files)
      names << (files.size() == 1 ? QFileInfo(file).fileName() : QLatin1Char('"') + QFileInfo(file).fileName() + QLatin1Char('"'));
    AcceptNames(dialog, QFileInfo(files.front()).absolutePath(), names.join(QLatin1Char(' ')));
  });
}

inline QPoint CellCentre(TXStringGrid &grid, int col, int row) { return grid.CellRect(col, row).center(); }

inline void ClickCell(TXStringGrid &grid, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
  // After a modal dialog the window system gives the focus back to the main window; here the test does.
  grid.window()->activateWindow();
  QTRY_VERIFY(grid.window()->isActiveWindow());
  QVERIFY2(!grid.CellRect(col, row).isEmpty(), "the cell is visible");
  QTest::mouseClick(grid.viewport(), button, {}, CellCentre(grid, col, row));
}

// Clicks a cell and types text over what the editor that opens on it shows, leaving the edit open.
inline void StartTyping(TXStringGrid &grid, int col, int row, const QString &text) {
  ClickCell(grid, col, row);
  QWidget *editor = QApplication::focusWidget();
  QVERIFY2(editor && editor != &grid && grid.isAncestorOf(editor), "an in-place editor has the focus");
  if (auto *edit = qobject_cast<QLineEdit *>(editor))
    edit->selectAll();
  QTest::keyClicks(editor, text);
}

// Clicks a cell and types text into the editor that opens on it, then Enter.
inline void TypeIntoCell(TXStringGrid &grid, int col, int row, const QString &text) {
  StartTyping(grid, col, row, text);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// Makes a cell current without leaving an edit open, then stretches the selection over more rows below it.
inline void SelectDown(TXStringGrid &grid, int col, int row, int more) {
  ClickCell(grid, col, row);
  Press(nullptr, Qt::Key_Escape);
  grid.setFocus();
  for (int i = 0; i < more; ++i)
    Press(&grid, Qt::Key_Down, Qt::ShiftModifier);
}

// While it lives, the progress window shows as soon as a save or an open starts, however short it is.
struct TProgressShownAtOnce {
  std::chrono::milliseconds kept = TProgressForm::ShowDelay();
  TProgressShownAtOnce() { TProgressForm::SetShowDelay(std::chrono::milliseconds(0)); }
  ~TProgressShownAtOnce() { TProgressForm::SetShowDelay(kept); }
};

inline QString Cell(TXStringGrid &grid, int col, int row) { return grid.Cells(col, row); }

// The name column as shown, top to bottom, up to the first empty row.
inline QStringList Names(TXStringGrid &grid) {
  QStringList names;
  for (int row = 1; row < grid.RowCount() && !grid.Cells(0, row).isEmpty(); ++row)
    names << grid.Cells(0, row);
  return names;
}

} // namespace EditorDriver
