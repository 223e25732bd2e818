// The main window's commands for packs described by a manifest: the document written back as one, and the
// entries whose source files changed read again; the watch that offers it.
#include "editor/fTovrikEditor.h"

#include "config/DialogFolders.h"
#include "desktop/FileFilter.h"
#include "desktop/Shell.h"
#include "editor/NativePaths.h"
#include "editor/ProgresForm.h"
#include "editor/SourceWatch.h"
#include "editor/StatusPanels.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "platform/Progress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QScopedValueRollback>
#include <QStatusBar>

void TForm1::BuildSourceWatch() {
  sourceWatch = new TSourceWatch(*statusBar(), *findChild<QAction *>(QStringLiteral("AktualizovatZmenene1")),
                                 [this]() -> const TDocumentController * { return controller.get(); });
  connect(this, &TForm1::DocumentChanged, sourceWatch, [this] { sourceWatch->DocumentChanged(); });
}

void TForm1::UlozitManifestClick() {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("SaveManifestDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("toml"));
  ApplyFileFilter(dialog, QCoreApplication::translate("TForm1", "Manifest|*.toml"));
  // The manifest the document came from, else one beside its container under the container's name.
  if (!ManifestPath().isEmpty())
    dialog.selectFile(ManifestPath());
  else if (!DocumentPath().isEmpty())
    dialog.selectFile(QFileInfo(DocumentPath()).absoluteDir().filePath(QFileInfo(DocumentPath()).completeBaseName() +
                                                                       QStringLiteral(".toml")));
  else
    dialog.setDirectory(StartFolder(TDialogFolder::Containers));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return;
  const QString path = dialog.selectedFiles().front();
  EndEdit();
  try {
    const QScopedValueRollback<bool> busySaving(saving, true);
    TProgressForm progress(this);
    TInstalledProgress installed(progress);
    TBusyCursor busy;
    Controller().SaveManifestAs(KindGrid(), NativePath(path));
  } catch (...) {
    // The rows taken over and the files written out before a failure stay: the grid shows them.
    ShowChangedDocument();
    throw;
  }
  statusFile->setText(QLatin1Char(' ') + path);
  statusFile->setToolTip(path);
  DocumentFileChanged();
  ShowHistoryState();
  emit DocumentChanged();
}

void TForm1::AktualizovatZmeneneClick() {
  TakeOverKindGrid();
  int count = 0;
  ChangeAndShow([&] { count = Controller().ReadChangedAgain(); });
  statusBar()->showMessage(
      count > 0 ? QCoreApplication::translate("TForm1", "Načteno znovu: %1").arg(EntriesText(count))
                : QCoreApplication::translate("TForm1", "Žádný zdrojový soubor se nezměnil."));
}
