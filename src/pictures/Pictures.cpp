// The picture loader's registry: bmp, ico, emf, wmf, jpg, jpeg and dib, each loading a file into a picture.
#include "pictures/Pictures.h"

#include "pictures/DibPicture.h"
#include "pictures/JpegPicture.h"
#include "pictures/PictureMessages.h"
#include "pictures/QtPicture.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <QFileInfo>
#include <QStringList>

namespace {
struct TPictureFormat {
  const char *extension;
  std::unique_ptr<TPicture> (*load)(const QByteArray &bytes);
};

std::unique_ptr<TPicture> LoadBitmap(const QByteArray &bytes) {
  return std::make_unique<TQImagePicture>(bytes, "bmp", PictureMessages::InvalidBitmap);
}
std::unique_ptr<TPicture> LoadIcon(const QByteArray &bytes) {
  return std::make_unique<TQImagePicture>(bytes, "ico", PictureMessages::InvalidIcon);
}
std::unique_ptr<TPicture> LoadMetafile(const QByteArray &) {
  throw Exception(Translated(PictureMessages::NoMetafiles));
}
std::unique_ptr<TPicture> LoadJpeg(const QByteArray &bytes) { return std::make_unique<TJpegPicture>(bytes); }
std::unique_ptr<TPicture> LoadDib(const QByteArray &bytes) { return std::make_unique<TDibPicture>(bytes); }

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

const TPictureFormat &FormatOf(const QString &extension) {
  for (const TPictureFormat &format : Formats)
    if (extension.compare(QLatin1String(format.extension), Qt::CaseInsensitive) == 0)
      return format;
  throw Exception(Substitute(Translated(PictureMessages::UnknownExtension), {extension.toLower().toStdString()}));
}
} // namespace

QString TPictureRegistry::FileMask() {
  QStringList masks;
  for (const TPictureFormat &format : Formats)
    masks << QStringLiteral("*.") + QLatin1String(format.extension);
  return masks.join(u';');
}

std::unique_ptr<TPicture> TPictureRegistry::LoadFromFile(const QString &path) {
  const TPictureFormat &format = FormatOf(QFileInfo(path).suffix());
  return format.load(ReadPictureFile(path));
}

std::unique_ptr<TPicture> TPictureRegistry::LoadFromData(const QByteArray &bytes, const QString &extension) {
  return FormatOf(extension).load(bytes);
}
