// The desktop prompt: an error box with the error icon and OK, a question with the warning icon and Yes/No.
#include "desktop/MessagePrompt.h"
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

  void ReplaceQuestionOffersAnoNeAnoVsemZrusit() {
    TMessagePrompt prompt;
    TSeenBox seen;
    QStringList captions;
    AnswerModal<QMessageBox>([&captions](QMessageBox *box) {
      for (QAbstractButton *button : box->buttons())
        captions << button->text();
      QTest::mouseClick(box->button(QMessageBox::YesToAll), Qt::LeftButton);
    });
    QCOMPARE(prompt.AskOverwrite("Soubor a.BMP již existuje."), TOverwriteAnswer::YesToAll);
    captions.sort();
    QCOMPARE(captions, QStringList({"Ano", "Ano všem", "Ne", "Zrušit"}));
    const QList<QPair<QMessageBox::StandardButton, TOverwriteAnswer>> answers = {
        {QMessageBox::Yes, TOverwriteAnswer::Yes}, {QMessageBox::No, TOverwriteAnswer::No},
        {QMessageBox::Cancel, TOverwriteAnswer::Cancel}};
    for (const auto &[button, answer] : answers) {
      AnswerNextBox(seen, button);
      QCOMPARE(prompt.AskOverwrite("Soubor a.BMP již existuje."), answer);
      QCOMPARE(seen.icon, QMessageBox::Warning);
    }
  }
};

QTEST_MAIN(TMessagePromptTest)
#include "MessagePrompt_test.moc"
