// The help window: the program's help page shown inside the program, its links followed within the page.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

// The help page beside the program (help/index.html, as in a build tree or a portable copy) or in the install's
// share folder; empty when neither exists. In English the English page (index.en.html) comes first. The app folder
// (TOVRIK_HOME) plays no part: the page ships with the program.
QString FindHelpPage(const QString &programFolder);

class THelpWindow : public QDialog {
public:
  THelpWindow(const QString &page, QWidget *parent);
  QTextBrowser &Browser() const { return *browser; }

private:
  QTextBrowser *browser;
};
