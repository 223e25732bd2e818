// TDIB: the device-independent bitmap picture, sharing its image between copies until one of them changes it.
#pragma once

#include "dib/DIBImage.h"
#include "dib/Graphic.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TDIB : public TGraphic {
public:
  TDIB();
  TDIB(const TDIB &source);
  TDIB &operator=(const TDIB &source);

  // Reads a DIB file; a stream already at its end leaves the picture unchanged, one ending after the file header
  // empties it. On failure the picture keeps its previous image.
  void LoadFromStream(TStream &stream) override;
  // Writes a DIB file; nothing for an empty picture.
  void SaveToStream(TStream &stream) const override;
  // The clipboard's device-independent-bitmap form: the same without the file header.
  void LoadFromClipboardFormat(const void *data, std::size_t size);
  std::vector<uint8_t> SaveToClipboardFormat() const;

  int Width() const override { return width; }
  int Height() const override { return height; }
  bool Empty() const override { return image->DataSize == 0; }
  // 0 or less empties the picture; else a new image of that size (8 bits when the picture was empty), pixels not kept.
  void SetWidth(int value) override;
  void SetHeight(int value) override;

  void ReadPixels32(uint32_t *dest, std::ptrdiff_t destStride) const override;
  // From another TDIB: share its image. From another picture: a 24-bit copy of its pixels. An empty source empties.
  void Assign(const TGraphic &source) override;

  int Depth() const { return image->Depth; }
  bool RunLength() const { return image->RunLength; }
  const TDIBSharedImage &Image() const { return *image; }
  bool SharesImageWith(const TDIB &other) const { return image == other.image; }
  // The platform palette of the colour table, or null for an image without one.
  TPaletteHandle Palette() const { return image->Palette(); }

  // Operations that change pixels or colours: they first give this picture an image of its own, uncompressed.
  void SetColors(const TColorTable &colors);
  // Row y counted from the top, writable.
  uint8_t *ScanLine(int y);

private:
  void SetImage(std::shared_ptr<TDIBSharedImage> newImage);
  void Unshare();
  void Resize(int newWidth, int newHeight);

  std::shared_ptr<TDIBSharedImage> image;
  int width = 0, height = 0; // cached from image
};
