// The About box: the program's name, a few words of credits and an OK button.
#pragma once

#include <QDialog>

class TAboutForm : public QDialog {
public:
  explicit TAboutForm(QWidget *parent = nullptr);

  // "OK": closes the box, as its close box does.
  void Button1Click();

protected:
  // The close box gives the result OK gives.
  void closeEvent(QCloseEvent *event) override;
};
