// "Naposledy otevřené": the Soubor submenu of the containers opened or saved last, newest first.
#pragma once

#include <QMenu>

#include <functional>

class TRecentFilesMenu : public QMenu {
public:
  // open runs when the user picks an entry, with its path.
  TRecentFilesMenu(QWidget *parent, std::function<void(const QString &path)> open);
  // Reads the list from config.ini again; the menu also does this each time it opens.
  void Rebuild();

private:
  std::function<void(const QString &)> open;
};
