// The desktop prompt: an error box with the error icon and OK, a question with the warning icon and Yes/No.
#include "platform/qt/MessagePrompt.h"
#include "support/ModalAnswer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {
// Answers the next message box with button, after recording what it showed.
struct TSeenBox {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString text;
  QMessageBox::StandardButtons buttons;
};

void AnswerNextBox(TSeenBox &seen, QMessageBox::StandardButton button) {
  AnswerModal<QMessageBox>([&seen, button](QMessageBox *box) {
    seen = {box->icon(), box->text(), box->standardButtons()};
    QTest::mouseClick(box->button(button), Qt::LeftButton);
  });
}
} // namespace

class TMessagePromptTest : public QObject {
  Q_OBJECT

private slots:
  void ErrorHasTheErrorIconAndOk() {
    TMessagePrompt prompt;
    TSeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    prompt.ShowError("Soubor je prázdný!");
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.text, QStringLiteral("Soubor je prázdný!"));
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  }

  void QuestionHasTheWarningIconAndYesNo() {
    TMessagePrompt prompt;
    TSeenBox seen;
    AnswerNextBox(seen, QMessageBox::Yes);
    QVERIFY(prompt.AskYesNo("Přidat?"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    AnswerNextBox(seen, QMessageBox::No);
    QVERIFY(!prompt.AskYesNo("Přidat?"));
  }
};

QTEST_MAIN(TMessagePromptTest)
#include "MessagePrompt_test.moc"
