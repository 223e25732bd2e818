// DIB files (extension "dib") in the picture loader: a TDIB drawn through its 32-bit pixels.
#pragma once

#include "dib/DIB.h"
#include "pictures/QtPicture.h"

class TDibPicture : public TRasterPicture {
public:
  // bytes are the whole file; throws the reader's error for a file it refuses.
  explicit TDibPicture(const QByteArray &bytes);
  int Width() const override { return dib.Width(); }
  int Height() const override { return dib.Height(); }
  int BitDepth() const override { return dib.Depth(); }
  const TDIB &Dib() const { return dib; }

protected:
  // The pixels, expanded once on first use; a null image for an empty picture.
  const QImage &Image() override;

private:
  TDIB dib;
  QImage pixels;
};
