// Noticing changes to the entries' source files while the window is open: a watch on the files and their folders,
// and the status bar's offer to read them again ("3 zdrojové soubory se změnily").
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QStatusBar;
class QToolButton;
class TDocumentController;

// "1 zdrojový soubor se změnil", "3 zdrojové soubory se změnily", "5 zdrojových souborů se změnilo".
QString ChangedSourcesText(int count);

class TSourceWatch : public QObject {
public:
  // The offer goes into bar (which owns it), its button runs readAgain; controller gives the document, or null once
  // the window has let it go.
  TSourceWatch(QStatusBar &bar, QAction &readAgain, std::function<const TDocumentController *()> controller);
  // The document changed: when its sources did, the watch follows them and the offer is brought up to date.
  void DocumentChanged();

private:
  std::function<const TDocumentController *()> controller;
  QFileSystemWatcher watcher;
  // Editors write a file in several steps (or a new file renamed over it): the check waits until they are done.
  QTimer settle;
  QLabel *offer;
  QToolButton *button;
  uint64_t seenRevision = UINT64_MAX;

  void Check();
  void Follow(const TDocumentController &document);
};
