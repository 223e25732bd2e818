// Stand-in picture loader through QImageReader, only so this branch links; the real registry replaces this file.
#include "platform/qt/Pictures.h"

#include "platform/Exceptions.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

class TReaderPicture : public TPicture {
public:
  explicit TReaderPicture(QImage image) : image(std::move(image)) {}
  int Width() const override { return image.width(); }
  int Height() const override { return image.height(); }
  void Draw(QPainter &painter, const QRect &target) override { painter.drawImage(target, image); }
  QImage ToImage() override { return image; }

private:
  QImage image;
};

} // namespace

QString TPictureRegistry::FileMask() { return "*.bmp;*.ico;*.emf;*.wmf;*.jpg;*.jpeg;*.dib"; }

std::unique_ptr<TPicture> TPictureRegistry::LoadFromFile(const QString &path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (!FileMask().split(';').contains("*." + ext))
    throw Exception("Unknown picture file extension ." + ext.toStdString());
  QImageReader reader(path, ext == "dib" ? QByteArray("bmp") : ext.toLatin1());
  QImage image = reader.read();
  if (image.isNull())
    throw Exception(reader.errorString().toStdString());
  return std::make_unique<TReaderPicture>(image.convertToFormat(QImage::Format_ARGB32));
}
