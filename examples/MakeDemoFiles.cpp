// Writes the small files the demo containers are built from: tiles as BMP, DIB and JPEG, and two short waves.
#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {
QImage Tiles(const QColor &a, const QColor &b, int size, int tile) {
  QImage image(size, size, QImage::Format_RGB32);
  QPainter p(&image);
  for (int y = 0; y < size; y += tile)
    for (int x = 0; x < size; x += tile)
      p.fillRect(x, y, tile, tile, ((x + y) / tile) % 2 ? a : b);
  return image;
}

QImage Sprite(int frames, int size) {
  QImage image(frames * size, size, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < frames; ++i) {
    p.setBrush(QColor::fromHsv(i * 360 / frames, 200, 230));
    p.drawEllipse(QPointF(i * size + size / 2.0, size / 2.0), size * (0.2 + 0.05 * i), size * 0.3);
  }
  return image;
}

void PutLE(QByteArray &bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i)
    bytes.append(char((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit PCM wave of a tone falling from one pitch to another.
QByteArray Wave(double fromHz, double toHz, double seconds) {
  const uint32_t rate = 22050;
  const uint32_t samples = uint32_t(rate * seconds);
  QByteArray bytes("RIFF");
  PutLE(bytes, 36 + samples * 2, 4);
  bytes.append("WAVEfmt ");
  PutLE(bytes, 16, 4);
  PutLE(bytes, 1, 2);
  PutLE(bytes, 1, 2);
  PutLE(bytes, rate, 4);
  PutLE(bytes, rate * 2, 4);
  PutLE(bytes, 2, 2);
  PutLE(bytes, 16, 2);
  bytes.append("data");
  PutLE(bytes, samples * 2, 4);
  double phase = 0;
  for (uint32_t i = 0; i < samples; ++i) {
    const double t = double(i) / samples;
    phase += 2 * M_PI * (fromHz + (toHz - fromHz) * t) / rate;
    PutLE(bytes, uint16_t(int16_t(12000 * (1 - t) * std::sin(phase))), 2);
  }
  return bytes;
}

bool Write(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

int main(int argc, char *argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-demo-files FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral(".")))
    return 1;
  QByteArray dib;
  {
    QImage water = Tiles(QColor(40, 90, 200), QColor(70, 130, 230), 64, 16);
    QBuffer buffer(&dib);
    buffer.open(QIODevice::WriteOnly);
    water.save(&buffer, "BMP");
  }
  const bool written = Tiles(QColor(60, 160, 60), QColor(90, 190, 80), 64, 16).save(folder.filePath("trava.bmp")) &&
                       Write(folder.filePath("voda.dib"), dib) &&
                       Tiles(QColor(130, 120, 110), QColor(160, 150, 140), 64, 8).save(folder.filePath("skala.jpg"), "JPEG", 85) &&
                       Sprite(4, 32).save(folder.filePath("postava.bmp")) &&
                       Write(folder.filePath("skok.wav"), Wave(440, 880, 0.3)) &&
                       Write(folder.filePath("pad.wav"), Wave(600, 150, 0.5));
  return written ? 0 : 1;
}
