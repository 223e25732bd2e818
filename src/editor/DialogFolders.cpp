// Where the main window's file dialogs start: the folder last used for that kind of file, remembered in config.ini;
// on a first run the user's home (or XDG Pictures / Music for the add dialog), never the program's own folder.
#include "editor/fTovrikEditor.h"

#include "config/DialogFolders.h"
#include "media/MediaDocument.h"
#include "preview/OpenPreview.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
TDialogFolder FolderOfKind(uint8_t kind) { return kind == mkSounds ? TDialogFolder::Sounds : TDialogFolder::Pictures; }

// The XDG folder of the kind's files when the user has one, else the home folder.
QString FirstRunFolder(TDialogFolder kind) {
  if (kind != TDialogFolder::Containers) {
    const QString xdg = QStandardPaths::writableLocation(kind == TDialogFolder::Sounds ? QStandardPaths::MusicLocation
                                                                                       : QStandardPaths::PicturesLocation);
    if (!xdg.isEmpty() && QFileInfo(xdg).isDir())
      return xdg;
  }
  return QDir::homePath();
}
} // namespace

QString TForm1::StartFolder(TDialogFolder kind) {
  const QString remembered = QString::fromStdString(ReadDialogFolder(kind));
  if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
    return remembered;
  return FirstRunFolder(kind);
}

void TForm1::RememberFolderOf(TDialogFolder kind, const QString &file) {
  if (!file.isEmpty())
    WriteDialogFolder(kind, QFileInfo(file).absolutePath().toStdString());
}

void TForm1::PrepareAddDialog() { OpenPreviewDialog1->InitialDir = StartFolder(FolderOfKind(MediaKind())); }

void TForm1::RememberAddedFolder(const QString &file) { RememberFolderOf(FolderOfKind(MediaKind()), file); }
