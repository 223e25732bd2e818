// Answering modal dialogs in widget tests: the answer runs once the dialog is up, and a dialog that is not
// answered is closed, so that a failing test fails instead of hanging in the dialog's event loop.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <type_traits>

namespace ModalAnswer {

// Closes every modal window still up, innermost first (dialogs are rejected), so that each exec() returns.
inline void CloseAllModals() {
  for (int left = 16; left > 0; --left) {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
      return;
    if (auto *dialog = qobject_cast<QDialog *>(modal))
      dialog->reject();
    else
      modal->close();
  }
}

} // namespace ModalAnswer

// Arranges for answer to run on the next modal dialog of type T; call it just before the action that opens the
// dialog, which then blocks in the dialog's event loop until the answer closes it. Answers arranged one after
// the other run in that order, so a question asked from inside an answered dialog takes the next answer.
// The dialog is awaited with QTRY_*. When none of type T comes up, when the answer fails a check, or when it
// leaves the dialog open, the test fails and every modal window is closed.
template <typename T = QWidget> void AnswerModal(std::type_identity_t<std::function<void(T *)>> answer) {
  QTimer::singleShot(0, [answer = std::move(answer)] {
    struct TCloseUnanswered {
      QPointer<T> dialog;
      bool answered = false;
      ~TCloseUnanswered() {
        if (!answered || QTest::currentTestFailed() || (dialog && dialog->isVisible()))
          ModalAnswer::CloseAllModals();
      }
    } guard;
    QTRY_VERIFY2(qobject_cast<T *>(QApplication::activeModalWidget()), "the expected modal dialog comes up");
    guard.dialog = qobject_cast<T *>(QApplication::activeModalWidget());
    answer(guard.dialog);
    guard.answered = true;
    QVERIFY2(!guard.dialog || !guard.dialog->isVisible(), "the answer closes the dialog");
  });
}
