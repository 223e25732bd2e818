// The desktop answer to the core's questions: message boxes with an error icon and OK, or a warning icon and Yes/No.
#include "platform/qt/MessagePrompt.h"

#include <QApplication>
#include <QMessageBox>

QWidget *TMessagePrompt::Owner() const {
  return parent && parent->isVisible() ? parent : QApplication::activeWindow();
}

void TMessagePrompt::ShowError(const std::string &text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Chyba"), QString::fromStdString(text), QMessageBox::Ok, Owner());
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

bool TMessagePrompt::AskYesNo(const std::string &text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Upozornění"), QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No, Owner());
  box.setObjectName(QStringLiteral("QuestionBox"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}
