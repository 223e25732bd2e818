// Raster pictures for the picture loader: nearest-neighbour drawing shared by every format, and the formats
// Qt's own image readers decode (bmp, ico).
#pragma once

#include "pictures/Pictures.h"

#include <QByteArray>
#include <QImage>

// Pictures beyond this many pixels are not decoded: their 32-bit form alone would take a gigabyte.
constexpr qint64 MaxPicturePixels = qint64{1} << 28;

// The whole file's bytes; throws EFOpenError or EReadError with the file's name.
QByteArray ReadPictureFile(const QString &path);

// The part visible (given in target coordinates, relative to the target's top left) of source scaled to targetSize
// by dropping or repeating whole rows and columns, without blending.
QImage ScaleNearest(const QImage &source, const QSize &targetSize, const QRect &visible);

// A picture whose pixels are a QImage (ARGB32), possibly made on first use.
class TRasterPicture : public TPicture {
public:
  void Draw(QPainter &painter, const QRect &target) override;
  QImage ToImage() override { return Image(); }

protected:
  // The pixels at the picture's own size; throws Exception when they cannot be made.
  virtual const QImage &Image() = 0;
};

// bmp and ico through Qt's image readers, decoded at load.
class TQImagePicture : public TRasterPicture {
public:
  // bytes are the whole file; format is Qt's name of the reader ("bmp", "ico"); invalidText the Czech error (shown
  // through Translated) for a file the reader refuses.
  TQImagePicture(const QByteArray &bytes, const char *format, const char *invalidText);
  int Width() const override { return image.width(); }
  int Height() const override { return image.height(); }
  int BitDepth() const override { return depth; }

protected:
  const QImage &Image() override { return image; }

private:
  QImage image;
  int depth = 0;
};
