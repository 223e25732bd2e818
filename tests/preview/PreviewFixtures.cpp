// Sample files for the preview tests: pictures, text, RTF and a short wave file written into a folder.
#include "PreviewFixtures.h"

#include "preview/OpenPreview.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QImage>
#include <QTest>
#include <QTextEdit>
#include <QtEndian>

namespace PreviewFixtures {

QString WriteBitmap(const QString &folder, const QString &name, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, qRgb(255 * x / std::max(1, w - 1), 255 * y / std::max(1, h - 1), 160));
  const QString path = QDir(folder).filePath(name);
  image.save(path, "BMP");
  return path;
}

QString WriteBytes(const QString &folder, const QString &name, const QByteArray &bytes) {
  const QString path = QDir(folder).filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly))
    file.write(bytes);
  return path;
}

QString WriteWave(const QString &folder, const QString &name) {
  constexpr quint32 rate = 8000;
  QByteArray samples(800, '\0');
  for (int i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<char>((i / 8) % 2 ? 0xC0 : 0x40);
  QByteArray wave;
  const auto put32 = [&](quint32 v) { wave.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 4); };
  const auto put16 = [&](quint16 v) { wave.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 2); };
  wave += "RIFF";
  put32(36 + samples.size());
  wave += "WAVEfmt ";
  put32(16);
  put16(1);
  put16(1);
  put32(rate);
  put32(rate);
  put16(1);
  put16(8);
  wave += "data";
  put32(samples.size());
  wave += samples;
  return WriteBytes(folder, name, wave);
}

QByteArray SampleRtf() {
  return "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}"
         "{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator Test;}"
         "\\pard\\qc\\b Tu\\'e8n\\'fd\\b0  text\\par"
         "\\pard{\\i kurz\\'edva} \\ul podtr\\u382?eno\\ulnone\\par"
         "\\fs40 velk\\'e9\\fs24\\tab konec\\par}";
}

bool SelectInDialog(TOpenPreviewDialog &dialog, const QString &path) {
  auto *list = dialog.Dialog().findChild<QListView *>("listView");
  auto *model = dialog.Dialog().findChild<QFileSystemModel *>();
  if (!list || !model)
    return false;
  // The model reads folders in the background: wait until the file is listed, then click it.
  QModelIndex index;
  const bool listed = QTest::qWaitFor(
      [&] {
        index = model->index(path);
        return index.isValid() && list->model()->rowCount(list->rootIndex()) > 0;
      },
      5000);
  if (!listed)
    return false;
  list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  return QTest::qWaitFor([&] { return dialog.CurrentFilePath() == path; }, 5000);
}

QString PreviewMessage(TOpenPreviewDialog &dialog) {
  auto *text = dialog.Dialog().findChild<QTextEdit *>("FPreviewText");
  return text ? text->toPlainText().trimmed() : QString();
}

} // namespace PreviewFixtures
