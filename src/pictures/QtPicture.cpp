// Nearest-neighbour drawing of raster pictures, and bmp and ico through Qt's image readers.
#include "pictures/QtPicture.h"

#include "platform/Exceptions.h"
#include "platform/Streams.h"
#include "platform/TextLanguage.h"

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

namespace {
uint16_t U16At(const QByteArray &bytes, qsizetype at) {
  if (at < 0 || at + 2 > bytes.size())
    return 0;
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

// The bits per pixel a bmp file's header names: after the 14-byte file header, at offset 10 of an OS/2 core header
// (12 bytes long) and at offset 14 of every later one.
int BitmapDepth(const QByteArray &bytes) {
  const int headerSize = U16At(bytes, 14);
  return U16At(bytes, headerSize == 12 ? 24 : 28);
}

// The bits per pixel of an icon's image at index in its directory: the entry's bit count, or its colour count
// when the bit count is left 0 (a count of 0 stands for 256 colours).
int IconDepth(const QByteArray &bytes, int index) {
  const qsizetype entry = 6 + 16 * qsizetype{index};
  if (entry + 16 > bytes.size())
    return 0;
  if (const int bits = U16At(bytes, entry + 6))
    return bits;
  const int colors = static_cast<uint8_t>(bytes[entry + 2]);
  return colors == 2 ? 1 : colors == 16 ? 4 : 8;
}
} // namespace

TQImagePicture::TQImagePicture(const QByteArray &fileBytes, const char *format, const char *invalidText) {
  QByteArray bytes = fileBytes;
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  // A file with several images (an icon's sizes) shows its largest.
  const int count = std::max(reader.imageCount(), 1);
  for (int index = 0; index < count; ++index) {
    if (index > 0 && !reader.jumpToImage(index))
      break;
    const QImage next = reader.read();
    if (!next.isNull() && (image.isNull() || next.width() * next.height() > image.width() * image.height())) {
      image = next;
      depth = qstrcmp(format, "ico") == 0 ? IconDepth(bytes, index) : BitmapDepth(bytes);
    }
  }
  if (image.isNull())
    throw Exception(Translated(invalidText));
  image = image.convertToFormat(QImage::Format_ARGB32);
}
