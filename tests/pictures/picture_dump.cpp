// picture-dump FILE: loads FILE through the picture loader, chosen by its extension as the preview does, and writes
// its pixels to standard output as a binary PAM (RGB_ALPHA, rows top to bottom); on failure prints the loader's
// error on standard error and exits with 1.
#include "pictures/Pictures.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>

#include <cstdio>
#include <vector>

namespace {
int Fail(const char *message) {
  std::fprintf(stderr, "%s\n", message);
  return 1;
}

void WritePam(const QImage &image) {
  std::printf("P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", image.width(),
              image.height());
  std::vector<unsigned char> row(static_cast<std::size_t>(image.width()) * 4);
  for (int y = 0; y < image.height(); ++y) {
    const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      row[4 * x] = static_cast<unsigned char>(qRed(in[x]));
      row[4 * x + 1] = static_cast<unsigned char>(qGreen(in[x]));
      row[4 * x + 2] = static_cast<unsigned char>(qBlue(in[x]));
      row[4 * x + 3] = static_cast<unsigned char>(qAlpha(in[x]));
    }
    std::fwrite(row.data(), 1, row.size(), stdout);
  }
}
} // namespace

int main(int argc, char **argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2)
    return Fail("Usage: picture-dump FILE");
  try {
    const std::unique_ptr<TPicture> picture = TPictureRegistry::LoadFromFile(QString::fromLocal8Bit(argv[1]));
    const QImage image = picture->ToImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
      return Fail("The picture is empty");
    WritePam(image);
    return std::fflush(stdout) == 0 ? 0 : Fail("Cannot write the picture");
  } catch (const std::exception &error) { // the loader's errors, and running out of memory
    return Fail(error.what());
  }
}
