// The question asked before unsaved changes would go: "Uložit změny?" with Uložit, Neukládat and Zrušit.
#include "editor/SaveChangesQuestion.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

TSaveChangesAnswer AskSaveChanges(QWidget *window) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("TovrikEditor"),
                  QCoreApplication::translate("TForm1", "Uložit změny?"), QMessageBox::NoButton, window);
  box.setObjectName(QStringLiteral("SaveChangesBox"));
  QPushButton *save = box.addButton(QCoreApplication::translate("TForm1", "Uložit"), QMessageBox::AcceptRole);
  QPushButton *discard =
      box.addButton(QCoreApplication::translate("TForm1", "Neukládat"), QMessageBox::DestructiveRole);
  QPushButton *cancel = box.addButton(QCoreApplication::translate("TForm1", "Zrušit"), QMessageBox::RejectRole);
  save->setObjectName(QStringLiteral("SaveButton"));
  discard->setObjectName(QStringLiteral("DiscardButton"));
  cancel->setObjectName(QStringLiteral("CancelButton"));
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save)
    return TSaveChangesAnswer::Save;
  if (box.clickedButton() == discard)
    return TSaveChangesAnswer::Discard;
  return TSaveChangesAnswer::Cancel;
}
