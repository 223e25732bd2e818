// Making, copying and describing DIB images: checks, sizes, the information block and the palette.
#include "dib/DIBImage.h"

#include "dib/DIBMessages.h"
#include "dib/DIBRle.h"
#include "dib/Graphic.h"
#include "platform/LittleEndian.h"
#include "platform/TextLanguage.h"

#include <cstring>

void TDIBSharedImage::CheckFormat(int depth, const TChannelLayout &layout) {
  bool fits = false;
  switch (depth) {
  case 1: case 4: case 8: case 24: case 32:
    fits = layout.HasBitCounts(8, 8, 8) && (depth != 32 || layout.FitsDepth(32));
    break;
  case 16:
    fits = (layout.HasBitCounts(5, 5, 5) || layout.HasBitCounts(5, 6, 5)) && layout.FitsDepth(16);
    break;
  default:
    throw EInvalidGraphicOperation(Substitute(Translated(DIBMessages::BitCount), {std::to_string(depth)}));
  }
  if (!fits)
    throw EInvalidGraphicOperation(Substitute(Translated(DIBMessages::ChannelMasks), {std::to_string(depth)}));
}

int64_t TDIBSharedImage::CheckSize(int64_t width, int64_t height, int depth) {
  const int64_t rowStride = RowStrideOf(depth, width);
  if (rowStride < 0 || height < 0 || height > INT32_MAX || (width > 0 && height > MaxPixels / width))
    throw EOutOfResources(
        Substitute(Translated(DIBMessages::TooLarge), {std::to_string(width), std::to_string(height)}));
  return rowStride;
}

TDIBSharedImage::TDIBSharedImage(int width, int height, int depth, const TChannelLayout &layout,
                                 const TColorTable &colors)
    : Depth(depth), Width(width), Height(height), RowStride((CheckFormat(depth, layout), CheckSize(width, height, depth))),
      DataSize(RowStride * height), EntryCount(EntryCountOf(depth)), ChannelLayout(layout), Colors(colors) {
  Pixels.resize(static_cast<std::size_t>(DataSize));
  BuildInfoBlock();
}

TDIBSharedImage::TDIBSharedImage(int width, int height, int depth, const TColorTable &colors,
                                 std::vector<uint8_t> runLengthData)
    : Depth(depth), Width(width), Height(height), RowStride(CheckSize(width, height, depth)),
      DataSize(static_cast<int64_t>(runLengthData.size())), EntryCount(EntryCountOf(depth)),
      ChannelLayout(Layout888), Colors(colors), RunLength(true), Pixels(std::move(runLengthData)) {
  BuildInfoBlock();
}

void TDIBSharedImage::BuildInfoBlock() {
  const bool bitFields = Depth == 16 || Depth == 32;
  uint32_t compression = bitFields ? BI_BITFIELDS : BI_RGB;
  if (RunLength)
    compression = Depth == 4 ? BI_RLE4 : BI_RLE8;
  TBitmapInfoHeader info;
  info.Width = Width;
  info.Height = Height;
  info.BitCount = static_cast<uint16_t>(Depth);
  info.Compression = compression;
  info.ImageSize = static_cast<uint32_t>(DataSize);
  TByteWriter block;
  TBitmapInfoHeader::Fields(info, block);
  if (bitFields) {
    block.U32(ChannelLayout.RedMask);
    block.U32(ChannelLayout.GreenMask);
    block.U32(ChannelLayout.BlueMask);
  }
  for (int i = 0; i < EntryCount; ++i) {
    const TRGBQuad &entry = Colors[i];
    const uint8_t quad[] = {entry.Blue, entry.Green, entry.Red, entry.Reserved};
    block.Raw(quad, sizeof quad);
  }
  InfoBlock = block.Bytes();
}

void TDIBSharedImage::SetColors(const TColorTable &colors) {
  Colors = colors;
  palette.Changed = true;
  BuildInfoBlock();
}

TPaletteHandle TDIBSharedImage::Palette() {
  if (EntryCount == 0)
    return nullptr;
  if (palette.Changed || palette.Handle == nullptr) {
    TPaletteManager::Instance().Release(palette.Handle);
    palette.Handle = TPaletteManager::Instance().Lookup(Colors.data(), EntryCount);
    palette.Changed = false;
  }
  return palette.Handle;
}

std::shared_ptr<TDIBSharedImage> TDIBSharedImage::UncompressedCopy() const {
  auto image = std::make_shared<TDIBSharedImage>(Width, Height, Depth, ChannelLayout, Colors);
  if (RunLength)
    DecodeRunLength(Pixels.data(), Pixels.size(), Depth, Width, Height, RowStride, image->Pixels.data());
  else
    std::memcpy(image->Pixels.data(), Pixels.data(), Pixels.size());
  return image;
}

const std::shared_ptr<TDIBSharedImage> &EmptyDIBImage() {
  TPaletteManager::Instance(); // made first, so the cache outlives the empty image at exit
  static const auto empty = std::make_shared<TDIBSharedImage>(0, 0, 8, Layout888, GreyColorTable());
  return empty;
}
