// The picture loader: formats registered by file extension, each loading a file into a picture that draws scaled.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

class QPainter;

class TPicture {
public:
  virtual ~TPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws the whole picture into target, scaled by dropping or repeating whole rows and columns.
  // A format that decodes lazily (JPEG) decodes on the first draw and throws Exception when that fails.
  virtual void Draw(QPainter &painter, const QRect &target) = 0;
  // The picture at its own size as 32-bit ARGB (a null image for an empty picture);
  // decodes when needed, throws Exception on failure.
  virtual QImage ToImage() = 0;
  // Bits per pixel as the file stores them (1, 4, 8, 16, 24, 32); 0 when the format does not say.
  virtual int BitDepth() const { return 0; }
};

class TPictureRegistry {
public:
  // "*.bmp;*.ico;*.emf;*.wmf;*.jpg;*.jpeg;*.dib": one "*.ext" per registered format, in registration order.
  static QString FileMask();
  // Loads path with the format registered for its extension (letter case ignored).
  // Throws Exception for an unknown extension or a file the format refuses.
  static std::unique_ptr<TPicture> LoadFromFile(const QString &path);
  // The same for a file's bytes held in memory, the format chosen by extension (without the dot, any case).
  static std::unique_ptr<TPicture> LoadFromData(const QByteArray &bytes, const QString &extension);
};
