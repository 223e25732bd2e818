// JPEG pictures decoded with libjpeg: the header is read at load, the pixels on first use.
#pragma once

#include "pictures/QtPicture.h"

#include <string>

class TJpegPicture : public TRasterPicture {
public:
  // Keeps the file's bytes and reads their header; throws Exception for bytes that are no JPEG.
  explicit TJpegPicture(const QByteArray &bytes);
  int Width() const override { return width; }
  int Height() const override { return height; }
  // 8 bits per component: 8 for a grey picture, 24 for colour, 32 for CMYK.
  int BitDepth() const override { return depth; }

protected:
  // Decodes on the first call; a failure is kept, so later calls throw the same error without decoding again.
  const QImage &Image() override;

private:
  QByteArray data;
  int width = 0, height = 0, depth = 0;
  QImage decoded;
  std::string failure;
};
