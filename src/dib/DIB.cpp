// TDIB: loading and saving DIB files and clipboard data, resizing, assigning and copy on write.
#include "dib/DIB.h"

#include "dib/DIBMessages.h"
#include "dib/DIBReader.h"
#include "dib/GlobalMemoryStream.h"
#include "platform/LittleEndian.h"
#include "platform/Streams.h"
#include "platform/TextLanguage.h"

#include <cstring>

TDIB::TDIB() { SetImage(EmptyDIBImage()); }
TDIB::TDIB(const TDIB &source) { SetImage(source.image); }
TDIB &TDIB::operator=(const TDIB &source) {
  SetImage(source.image);
  return *this;
}

void TDIB::SetImage(std::shared_ptr<TDIBSharedImage> newImage) {
  image = std::move(newImage);
  width = image->Width;
  height = image->Height;
}

void TDIB::LoadFromStream(TStream &stream) {
  uint8_t bytes[TBitmapFileHeader::Size];
  const int64_t got = stream.Read(bytes, TBitmapFileHeader::Size);
  if (got == 0)
    return;
  if (got < static_cast<int64_t>(TBitmapFileHeader::Size) || TByteReader(bytes, 2).U16() != TBitmapFileHeader::Magic)
    throw EInvalidGraphic(Translated(DIBMessages::NotADib));
  SetImage(ReadDIBImage(stream));
}

void TDIB::SaveToStream(TStream &stream) const {
  if (Empty())
    return;
  const auto infoSize = static_cast<uint32_t>(image->InfoBlock.size());
  TBitmapFileHeader header;
  header.Type = TBitmapFileHeader::Magic;
  header.BitsOffset = TBitmapFileHeader::Size + infoSize;
  header.FileSize = header.BitsOffset + static_cast<uint32_t>(image->DataSize);
  TByteWriter fileHeader;
  TBitmapFileHeader::Fields(header, fileHeader);
  fileHeader.WriteTo(stream);
  stream.WriteBuffer(image->InfoBlock.data(), infoSize);
  stream.WriteBuffer(image->Pixels.data(), image->DataSize);
}

void TDIB::LoadFromClipboardFormat(const void *data, std::size_t size) {
  TGlobalMemoryStream stream(data, size);
  SetImage(ReadDIBImage(stream));
}

std::vector<uint8_t> TDIB::SaveToClipboardFormat() const {
  if (Empty())
    return {};
  std::vector<uint8_t> block(image->InfoBlock);
  block.insert(block.end(), image->Pixels.begin(), image->Pixels.end());
  return block;
}

void TDIB::Resize(int newWidth, int newHeight) {
  if (newWidth <= 0 || newHeight <= 0) {
    SetImage(EmptyDIBImage());
  } else if (Empty()) {
    SetImage(std::make_shared<TDIBSharedImage>(newWidth, newHeight, 8, Layout888, image->Colors));
  } else {
    SetImage(std::make_shared<TDIBSharedImage>(newWidth, newHeight, image->Depth, image->ChannelLayout,
                                               image->Colors));
  }
}

void TDIB::SetWidth(int value) { Resize(value, Empty() ? std::max(height, 1) : height); }
void TDIB::SetHeight(int value) { Resize(Empty() ? std::max(width, 1) : width, value); }

void TDIB::ReadPixels32(uint32_t *dest, std::ptrdiff_t destStride) const { image->ReadPixels32(dest, destStride); }

void TDIB::Assign(const TGraphic &source) {
  if (const auto *dib = dynamic_cast<const TDIB *>(&source)) {
    SetImage(dib->image);
  } else if (source.Empty()) {
    SetImage(EmptyDIBImage());
  } else {
    const int w = source.Width(), h = source.Height();
    auto copy = std::make_shared<TDIBSharedImage>(w, h, 24, Layout888, TColorTable{});
    std::vector<uint32_t> row(static_cast<std::size_t>(w) * h);
    source.ReadPixels32(row.data(), w);
    for (int y = 0; y < h; ++y) {
      uint8_t *out = copy->Row(y);
      for (int x = 0; x < w; ++x, out += 3) {
        const uint32_t pixel = row[static_cast<std::size_t>(y) * w + x];
        out[0] = pixel & 0xFF, out[1] = (pixel >> 8) & 0xFF, out[2] = (pixel >> 16) & 0xFF;
      }
    }
    SetImage(std::move(copy));
  }
}

void TDIB::Unshare() {
  if (image->RunLength || image.use_count() > 1 || image == EmptyDIBImage())
    SetImage(image->UncompressedCopy());
}

void TDIB::SetColors(const TColorTable &colors) {
  Unshare();
  image->SetColors(colors);
}

uint8_t *TDIB::ScanLine(int y) {
  if (y < 0 || y >= height)
    throw EInvalidGraphicOperation("Scan line index out of range");
  Unshare();
  return image->Row(y);
}
