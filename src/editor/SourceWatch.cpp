// Noticing changes to the entries' source files while the window is open: a watch on the files and their folders,
// and the status bar's offer to read them again.
#include "editor/SourceWatch.h"

#include "editor/NativePaths.h"
#include "media/DocumentController.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QSet>
#include <QStatusBar>
#include <QToolButton>

namespace {
constexpr int settleMs = 300;
} // namespace

QString ChangedSourcesText(int count) {
  if (count == 1)
    return QCoreApplication::translate("TSourceWatch", "1 zdrojový soubor se změnil");
  if (count >= 2 && count <= 4)
    return QCoreApplication::translate("TSourceWatch", "%1 zdrojové soubory se změnily").arg(count);
  return QCoreApplication::translate("TSourceWatch", "%1 zdrojových souborů se změnilo").arg(count);
}

TSourceWatch::TSourceWatch(QStatusBar &bar, QAction &readAgain, std::function<const TDocumentController *()> controller)
    : QObject(&bar), controller(std::move(controller)), offer(new QLabel(&bar)), button(new QToolButton(&bar)) {
  offer->setObjectName(QStringLiteral("SourcesChanged1"));
  button->setObjectName(QStringLiteral("SourcesChangedButton1"));
  button->setDefaultAction(&readAgain);
  // A framed button: the bar's other texts are no buttons, this one is.
  button->setAutoRaise(false);
  bar.addPermanentWidget(offer);
  bar.addPermanentWidget(button);
  offer->hide();
  button->hide();
  settle.setSingleShot(true);
  connect(&settle, &QTimer::timeout, this, &TSourceWatch::Check);
  connect(&watcher, &QFileSystemWatcher::fileChanged, this, [this] { settle.start(settleMs); });
  connect(&watcher, &QFileSystemWatcher::directoryChanged, this, [this] { settle.start(settleMs); });
}

void TSourceWatch::DocumentChanged() {
  const TDocumentController *document = controller();
  if (document && document->SourcesRevision() != seenRevision)
    settle.start(0);
}

void TSourceWatch::Check() {
  const TDocumentController *document = controller();
  if (!document)
    return;
  Follow(*document);
  const int changed = static_cast<int>(document->ChangedSources().size());
  offer->setText(ChangedSourcesText(changed));
  offer->setVisible(changed > 0);
  button->setVisible(changed > 0);
}

void TSourceWatch::Follow(const TDocumentController &document) {
  // A file written anew and renamed over the old one drops out of the watch: every check takes it up again, and the
  // watch on its folder notices when it comes back.
  seenRevision = document.SourcesRevision();
  QSet<QString> wanted;
  for (const std::string &path : document.SourcePaths()) {
    const QFileInfo file(QtPath(path));
    wanted << file.absoluteFilePath() << file.absolutePath();
  }
  QStringList gone;
  for (const QStringList &watched : {watcher.files(), watcher.directories()})
    for (const QString &path : watched)
      if (!wanted.remove(path))
        gone << path;
  if (!gone.isEmpty())
    watcher.removePaths(gone);
  QStringList coming;
  for (const QString &path : std::as_const(wanted))
    if (QFileInfo::exists(path))
      coming << path;
  if (!coming.isEmpty())
    watcher.addPaths(coming); // what the system cannot watch is still found by Aktualizovat změněné
}
