// DIB files (extension "dib") in the picture loader: a TDIB drawn through its 32-bit pixels.
#pragma once

#include "dib/DIB.h"
#include "pictures/QtPicture.h"

class TDibPicture : public TRasterPicture {
public:
  // Throws the reader's error for a file it refuses.
  explicit TDibPicture(const QString &path);
  int Width() const override { return dib.Width(); }
  int Height() const override { return dib.Height(); }
  const TDIB &Dib() const { return dib; }

protected:
  // The pixels, expanded once on first use; a null image for an empty picture.
  const QImage &Image() override;

private:
  TDIB dib;
  QImage pixels;
};
