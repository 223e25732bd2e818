// The desktop answer to the core's questions: message boxes with an error icon and OK, or a warning icon and Yes/No.
#include "desktop/MessagePrompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

QWidget *TMessagePrompt::Owner() const {
  return parent && parent->isVisible() ? parent : QApplication::activeWindow();
}

void TMessagePrompt::ShowError(const std::string &text) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("TMessagePrompt", "Chyba"),
                  QString::fromStdString(text), QMessageBox::Ok, Owner());
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

bool TMessagePrompt::AskYesNo(const std::string &text) {
  QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("TMessagePrompt", "Upozornění"),
                  QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, Owner());
  box.setObjectName(QStringLiteral("QuestionBox"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

TOverwriteAnswer TMessagePrompt::AskOverwrite(const std::string &text) {
  QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("TMessagePrompt", "Upozornění"),
                  QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll | QMessageBox::Cancel, Owner());
  box.setObjectName(QStringLiteral("OverwriteBox"));
  box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("TMessagePrompt", "Ano"));
  box.button(QMessageBox::No)->setText(QCoreApplication::translate("TMessagePrompt", "Ne"));
  box.button(QMessageBox::YesToAll)->setText(QCoreApplication::translate("TMessagePrompt", "Ano všem"));
  box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("TMessagePrompt", "Zrušit"));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
  case QMessageBox::Yes: return TOverwriteAnswer::Yes;
  case QMessageBox::YesToAll: return TOverwriteAnswer::YesToAll;
  case QMessageBox::No: return TOverwriteAnswer::No;
  default: return TOverwriteAnswer::Cancel;
  }
}

TRecoveryAnswer TMessagePrompt::AskRecovery(const TRecoveryOffer &offer) {
  const QString path = QFile::decodeName(QByteArray::fromStdString(offer.DocumentPath));
  const QString document =
      path.isEmpty() ? QCoreApplication::translate("TMessagePrompt", "nový dokument") : QFileInfo(path).fileName();
  const QString changed = QDateTime::fromMSecsSinceEpoch(offer.LastChangeNs / 1000000)
                              .toString(QCoreApplication::translate("TMessagePrompt", "d. M. yyyy H:mm:ss"));
  QMessageBox box(QMessageBox::Question, QStringLiteral("TovrikEditor"),
                  QCoreApplication::translate("TMessagePrompt", "Obnovit neuložené změny?"), QMessageBox::NoButton,
                  Owner());
  box.setObjectName(QStringLiteral("RecoveryBox"));
  box.setInformativeText(QCoreApplication::translate("TMessagePrompt",
                                                     "Dokument: %1\nPoslední změna: %2\nPočet položek: %3")
                             .arg(document, changed)
                             .arg(offer.EntryCount)
                             .replace(QLatin1Char(' '), QChar::Nbsp)); // each fact on one line: the box widens
  QPushButton *restore = box.addButton(QCoreApplication::translate("TMessagePrompt", "Obnovit"), QMessageBox::AcceptRole);
  QPushButton *discard =
      box.addButton(QCoreApplication::translate("TMessagePrompt", "Zahodit"), QMessageBox::DestructiveRole);
  QPushButton *later = box.addButton(QCoreApplication::translate("TMessagePrompt", "Později"), QMessageBox::RejectRole);
  restore->setObjectName(QStringLiteral("RestoreButton"));
  discard->setObjectName(QStringLiteral("DiscardButton"));
  later->setObjectName(QStringLiteral("LaterButton"));
  box.setDefaultButton(restore);
  box.setEscapeButton(later);
  box.exec();
  if (box.clickedButton() == restore)
    return TRecoveryAnswer::Restore;
  if (box.clickedButton() == discard)
    return TRecoveryAnswer::Discard;
  return TRecoveryAnswer::Later;
}
