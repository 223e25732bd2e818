// The picture loader's registry: bmp, ico, emf, wmf, jpg, jpeg and dib, each loading a file into a picture.
#include "pictures/Pictures.h"

#include "pictures/DibPicture.h"
#include "pictures/JpegPicture.h"
#include "pictures/QtPicture.h"
#include "platform/Exceptions.h"

#include <QFileInfo>
#include <QStringList>

namespace {
struct TPictureFormat {
  const char *extension;
  std::unique_ptr<TPicture> (*load)(const QString &path);
};

std::unique_ptr<TPicture> LoadBitmap(const QString &path) {
  return std::make_unique<TQImagePicture>(path, "bmp", "Bitmap image is not valid");
}
std::unique_ptr<TPicture> LoadIcon(const QString &path) {
  return std::make_unique<TQImagePicture>(path, "ico", "Icon image is not valid");
}
std::unique_ptr<TPicture> LoadMetafile(const QString &) {
  throw Exception("Metafiles (.emf, .wmf) cannot be shown on this system");
}
std::unique_ptr<TPicture> LoadJpeg(const QString &path) { return std::make_unique<TJpegPicture>(path); }
std::unique_ptr<TPicture> LoadDib(const QString &path) { return std::make_unique<TDibPicture>(path); }

// In the order the formats register: the platform's own, then JPEG, then DIB.
const TPictureFormat Formats[] = {
    {"bmp", LoadBitmap},
    {"ico", LoadIcon},
    {"emf", LoadMetafile},
    {"wmf", LoadMetafile},
    {"jpg", LoadJpeg},
    {"jpeg", LoadJpeg},
    {"dib", LoadDib},
};
} // namespace

QString TPictureRegistry::FileMask() {
  QStringList masks;
  for (const TPictureFormat &format : Formats)
    masks << QStringLiteral("*.") + QLatin1String(format.extension);
  return masks.join(u';');
}

std::unique_ptr<TPicture> TPictureRegistry::LoadFromFile(const QString &path) {
  const QString extension = QFileInfo(path).suffix().toLower();
  for (const TPictureFormat &format : Formats)
    if (extension == QLatin1String(format.extension))
      return format.load(path);
  throw Exception(Substitute("Unknown picture file extension (.%s)", {extension.toStdString()}));
}
