// Nearest-neighbour drawing of raster pictures, and bmp and ico through Qt's image readers.
#include "pictures/QtPicture.h"

#include "platform/Exceptions.h"
#include "platform/Streams.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

#include <vector>

QByteArray ReadPictureFile(const QString &path) {
  TFileStream file(path.toStdString(), TFileMode::fmOpenRead);
  const int64_t size = file.Size();
  if (size > INT32_MAX)
    throw EReadError();
  QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
  file.ReadBuffer(bytes.data(), size);
  return bytes;
}

QImage ScaleNearest(const QImage &source, const QSize &targetSize, const QRect &visible) {
  QImage scaled(visible.size(), QImage::Format_ARGB32);
  if (scaled.isNull())
    return scaled;
  const int64_t sourceWidth = source.width(), sourceHeight = source.height();
  std::vector<int> columns(visible.width());
  for (int x = 0; x < visible.width(); ++x)
    columns[x] = static_cast<int>((visible.x() + x) * sourceWidth / targetSize.width());
  for (int y = 0; y < visible.height(); ++y) {
    const int sourceY = static_cast<int>((visible.y() + y) * sourceHeight / targetSize.height());
    const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(sourceY));
    auto *out = reinterpret_cast<QRgb *>(scaled.scanLine(y));
    for (int x = 0; x < visible.width(); ++x)
      out[x] = in[columns[x]];
  }
  return scaled;
}

void TRasterPicture::Draw(QPainter &painter, const QRect &target) {
  if (target.isEmpty())
    return;
  const QImage &image = Image();
  if (image.isNull())
    return;
  if (target.size() == image.size()) {
    painter.drawImage(target.topLeft(), image);
    return;
  }
  // Only the part that can show is scaled: a picture stretched far beyond the window costs no more than the window.
  QRect visible = target;
  if (const QPaintDevice *device = painter.device())
    visible &= painter.worldTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
  if (painter.hasClipping())
    visible &= painter.clipBoundingRect().toAlignedRect();
  if (visible.isEmpty())
    return;
  painter.drawImage(visible.topLeft(), ScaleNearest(image, target.size(), visible.translated(-target.topLeft())));
}

TQImagePicture::TQImagePicture(const QString &path, const char *format, const char *invalidText) {
  QByteArray bytes = ReadPictureFile(path);
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  // A file with several images (an icon's sizes) shows its largest.
  const int count = std::max(reader.imageCount(), 1);
  for (int index = 0; index < count; ++index) {
    if (index > 0 && !reader.jumpToImage(index))
      break;
    const QImage next = reader.read();
    if (!next.isNull() && (image.isNull() || next.width() * next.height() > image.width() * image.height()))
      image = next;
  }
  if (image.isNull())
    throw Exception(invalidText);
  image = image.convertToFormat(QImage::Format_ARGB32);
}
