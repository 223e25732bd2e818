// "Naposledy otevřené": the Soubor submenu of the containers opened or saved last, newest first.
#include "editor/RecentFilesMenu.h"

#include "config/RecentFiles.h"

#include <QCoreApplication>
#include <QDir>

TRecentFilesMenu::TRecentFilesMenu(QWidget *parent, std::function<void(const QString &)> open)
    : QMenu(QCoreApplication::translate("TRecentFilesMenu", "Naposledy otevřené"), parent), open(std::move(open)) {
  setObjectName(QStringLiteral("NaposledyOtevrene1"));
  connect(this, &QMenu::aboutToShow, this, &TRecentFilesMenu::Rebuild);
  Rebuild();
}

void TRecentFilesMenu::Rebuild() {
  clear();
  const std::vector<std::string> paths = LoadRecentFiles();
  int number = 0;
  for (const std::string &stored : paths) {
    const QString path = QString::fromStdString(stored);
    // The number is the entry's mnemonic; an "&" of the path is shown as itself.
    QString caption = QDir::toNativeSeparators(path);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction *action = addAction(QStringLiteral("&%1 %2").arg(number + 1).arg(caption));
    action->setObjectName(QStringLiteral("RecentFile%1").arg(number++));
    action->setToolTip(path);
    connect(action, &QAction::triggered, this, [this, path] { open(path); });
  }
  if (paths.empty())
    addAction(QCoreApplication::translate("TRecentFilesMenu", "(žádné)"))->setEnabled(false);
}
