// The window's side of recovering unsaved work: the journal written at most a moment after each change, the
// offer of a dead editor's work once the window is first shown, and the word when a container opened here has
// unsaved changes elsewhere.
#include "editor/fTovrikEditor.h"

#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/ItemColumns.h"
#include "media/Recovery.h"
#include "editor/ItemGrids.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace {
// A change waits at most this long for the disk; with the write itself, well within the two seconds that may
// be lost.
constexpr int journalDelayMs = 1000;
} // namespace

void TForm1::BuildRecovery() {
  journalTimer = new QTimer(this);
  journalTimer->setObjectName(QStringLiteral("JournalTimer"));
  journalTimer->setSingleShot(true);
  journalTimer->setInterval(journalDelayMs);
  connect(journalTimer, &QTimer::timeout, this, &TForm1::WriteJournal);
  connect(this, &TForm1::DocumentChanged, this, &TForm1::ScheduleJournal);
}

void TForm1::ScheduleJournal() {
  // The steps wait in memory: typing never waits for the disk.
  if (journalTimer && !journalTimer->isActive() && controller && controller->JournalPending())
    journalTimer->start();
}

void TForm1::WriteJournal() {
  try {
    Controller().FlushJournal();
  } catch (const std::exception &error) {
    // The steps stay waiting and the next change tries again; a box every second would stop the user's work.
    statusBar()->showMessage(QCoreApplication::translate("TForm1", "Záznam pro obnovení nelze zapsat: %1")
                                 .arg(QString::fromStdString(error.what())));
  }
}

void TForm1::OfferRecoveryAtStart() {
  // The question is centred on the window once the window manager has placed it.
  if (windowHandle() && !windowHandle()->isExposed() && ++offerWaits < 40) {
    QTimer::singleShot(25, this, &TForm1::OfferRecoveryAtStart);
    return;
  }
  Guarded([this] {
    if (!OfferRecovery(Controller()))
      return;
    SetCurrentCell(KindGrid(), FirstAttributeColumn, 1);
    const QString path = DocumentPath();
    ShowKind(MediaKind(), path.isEmpty() ? QString() : QLatin1Char(' ') + path);
    DocumentFileChanged();
    ShowHistoryState();
    emit DocumentChanged();
  });
}

void TForm1::WarnOfOtherJournal(const QString &path) {
  if (!UnsavedJournalFor(QFile::encodeName(path).toStdString(), Controller().JournalPath()))
    return;
  const QString text = QCoreApplication::translate(
      "TForm1", "Soubor %1 má neuložené změny v jiném okně editoru, nebo čekají na obnovení při příštím spuštění.");
  QMessageBox box(QMessageBox::Information, QStringLiteral("TovrikEditor"), text.arg(path), QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("OtherJournalBox"));
  box.exec();
}
