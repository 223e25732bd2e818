// Loading a DIB file and expanding its pixels (palette, bit fields, run-length data) for drawing.
#include "pictures/DibPicture.h"

#include "dib/GlobalMemoryStream.h"
#include "pictures/PictureMessages.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

TDibPicture::TDibPicture(const QByteArray &bytes) {
  TGlobalMemoryStream stream(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  dib.LoadFromStream(stream);
}

const QImage &TDibPicture::Image() {
  if (pixels.isNull() && !dib.Empty()) {
    QImage image(dib.Width(), dib.Height(), QImage::Format_ARGB32);
    if (image.isNull())
      throw Exception(Translated(PictureMessages::NoMemoryForDib));
    dib.ReadPixels32(reinterpret_cast<uint32_t *>(image.bits()), image.bytesPerLine() / 4);
    pixels = image;
  }
  return pixels;
}
