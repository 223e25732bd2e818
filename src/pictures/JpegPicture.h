// JPEG pictures decoded with libjpeg: the header is read at load, the pixels on first use.
#pragma once

#include "pictures/QtPicture.h"

#include <string>

class TJpegPicture : public TRasterPicture {
public:
  // Reads the file and its header; throws Exception for a file that cannot be read or is no JPEG.
  explicit TJpegPicture(const QString &path);
  int Width() const override { return width; }
  int Height() const override { return height; }

protected:
  // Decodes on the first call; a failure is kept, so later calls throw the same error without decoding again.
  const QImage &Image() override;

private:
  QByteArray data;
  int width = 0, height = 0;
  QImage decoded;
  std::string failure;
};
