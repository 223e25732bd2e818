// A temporary app folder with config.ini, sample files and containers for the main window's tests.
#pragma once

#include "media/Container.h"
#include "media/MediaDocument.h"
#include "support/Peers.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

// Tests that check a saved container with unzip skip, naming it, on a machine without it.
#define SKIP_WITHOUT_UNZIP()                                                                                  \
  if (!MissingPeers({"unzip"}).empty())                                                                       \
  QSKIP("not installed: unzip")

class TEditorFixture {
public:
  TEditorFixture() {
    folder.WriteFile("config.ini", "[ImageFileExts]\nCount=2\nExt0=.BMP\nExt1=.DIB\n"
                                   "[SoundFileExts]\nCount=1\nExt0=.WAV\n");
  }

  QString Path(const QString &name) const { return QString::fromStdString(folder.File(name.toStdString())); }

  // A small real picture, so that the preview pane has something sound to show.
  QString Image(const QString &name, const QColor &color = Qt::red, int size = 8) const {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(color);
    const QString path = Path(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    image.save(&file, "BMP");
    return path;
  }

  QString File(const QString &name, const QByteArray &bytes) const {
    return QString::fromStdString(folder.WriteFile(name.toStdString(), bytes.toStdString()));
  }

  QByteArray Read(const QString &path) const {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }

  // A container of kind holding files in order, written by the core without a window.
  QString Container(const QString &name, uint8_t kind, const QStringList &files) const {
    TMediaStream document;
    for (const QString &file : files)
      document.AddFile(file.toStdString(), kind);
    const QString path = Path(name);
    SaveContainer(document, kind, path.toStdString(), 2);
    return path;
  }

  // The container tri.tvk of the three pictures src/a.bmp, src/b.bmp, src/c.bmp of 8, 16 and 32 pixels.
  QString ThreeImages() const {
    return Container(QStringLiteral("tri.tvk"), mkImages,
                     {Image("src/a.bmp", Qt::red, 8), Image("src/b.bmp", Qt::green, 16), Image("src/c.bmp", Qt::blue, 32)});
  }

  // The media stream inside a container, as unzip gives it.
  static QByteArray MediaStream(const QString &container) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), container, QStringLiteral("Media.m")});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
  }

  static bool UnzipTestPasses(const QString &container) {
    return QProcess::execute(QStringLiteral("unzip"), {QStringLiteral("-tqq"), container}) == 0;
  }

  TTempAppFolder folder;
  TScriptedPrompt prompt;
};
