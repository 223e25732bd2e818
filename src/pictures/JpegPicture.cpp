// JPEG pictures for the picture loader: the core's libjpeg decoder fills a QImage.
#include "pictures/JpegPicture.h"

#include "dib/JpegDecoder.h"
#include "pictures/PictureMessages.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

namespace {
const uint8_t *BytesOf(const QByteArray &data) { return reinterpret_cast<const uint8_t *>(data.constData()); }
} // namespace

TJpegPicture::TJpegPicture(const QByteArray &bytes) : data(bytes) {
  const TJpegHeader header = TJpegDecoder(BytesOf(data), static_cast<std::size_t>(data.size())).Header();
  width = header.Width;
  height = header.Height;
  depth = header.BitDepth;
}

const QImage &TJpegPicture::Image() {
  if (!failure.empty())
    throw Exception(failure);
  if (decoded.isNull()) {
    try {
      TJpegDecoder decoder(BytesOf(data), static_cast<std::size_t>(data.size()));
      if (int64_t{width} * height <= MaxJpegPixels) {
        QImage image(width, height, QImage::Format_ARGB32);
        if (image.isNull())
          throw Exception(Translated(PictureMessages::NoMemoryForJpeg));
        decoder.ReadPixels32(reinterpret_cast<uint32_t *>(image.bits()), image.bytesPerLine() / 4);
        decoded = image;
      } else {
        decoder.ReadPixels32(nullptr, 0); // refuses the size with its own error
      }
    } catch (const Exception &error) {
      failure = error.what();
      throw;
    }
  }
  return decoded;
}
