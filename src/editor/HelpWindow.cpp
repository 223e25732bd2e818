// The help window: the program's help page shown inside the program, its links followed within the page.
#include "editor/HelpWindow.h"

#include "platform/TextLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

QString FindHelpPage(const QString &programFolder) {
  const QDir folder(programFolder);
  QStringList names{QStringLiteral("index.html")};
  if (TextLanguage() == TLanguage::English)
    names.prepend(QStringLiteral("index.en.html"));
  for (const QString &name : names)
    for (const QString &place : {QStringLiteral("help/"), QStringLiteral("../share/tovrikeditor/help/")})
      if (const QFileInfo page(folder.filePath(place + name)); page.isFile())
        return page.canonicalFilePath();
  return {};
}

THelpWindow::THelpWindow(const QString &page, QWidget *parent) : QDialog(parent), browser(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QCoreApplication::translate("THelpWindow", "Nápověda"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_DeleteOnClose);
  browser->setObjectName(QStringLiteral("HelpBrowser"));
  // Links within the page move in the page; links to the web go to the desktop's browser.
  browser->setOpenLinks(true);
  browser->setOpenExternalLinks(true);
  browser->setSource(QUrl::fromLocalFile(page));
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser);
  resize(720, 560);
}
