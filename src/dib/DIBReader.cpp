// The DIB reader: core and information headers, bit fields, colour tables, plain, top-down and run-length pixels.
// Every size a file gives is checked against the bytes the stream still holds before anything is allocated.
#include "dib/DIBReader.h"

#include "dib/DIBMessages.h"
#include "dib/Graphic.h"
#include "platform/LittleEndian.h"
#include "platform/Streams.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {
// A run-length image may claim at most this many pixels per byte of its data; real images stay far below.
constexpr int64_t MaxRunLengthExpansion = 4096;
constexpr int64_t RunLengthAllowance = 65536;

// Each defect the reader finds has its own text; %s in it take values.
[[noreturn]] void Invalid(const char *message, std::initializer_list<std::string> values = {}) {
  throw EInvalidGraphic(Substitute(Translated(message), values));
}

// Reads count bytes, or fails with message when the stream ends before them.
void ReadOrFail(TStream &stream, uint8_t *bytes, int64_t count, const char *message) {
  if (stream.Read(bytes, count) != count)
    Invalid(message);
}

struct THeader {
  bool core = false; // the 12-byte OS/2 header
  int64_t width = 0, height = 0;
  int bitCount = 0;
  uint32_t compression = BI_RGB, imageSize = 0, colorsUsed = 0;
};

// No header at all when the stream is already at its end.
std::optional<THeader> ReadHeader(TStream &stream) {
  uint8_t bytes[TBitmapInfoHeader::Size];
  const int64_t got = stream.Read(bytes, 4);
  if (got == 0)
    return std::nullopt;
  if (got < 4)
    Invalid(DIBMessages::HeaderCutShort);
  THeader header;
  const uint32_t headerSize = TByteReader(bytes, 4).U32();
  switch (headerSize) {
  case TBitmapCoreHeader::Size: {
    ReadOrFail(stream, bytes + 4, TBitmapCoreHeader::Size - 4, DIBMessages::HeaderCutShort);
    TByteReader reader(bytes, TBitmapCoreHeader::Size);
    TBitmapCoreHeader core;
    TBitmapCoreHeader::Fields(core, reader);
    header.core = true;
    header.width = core.Width;
    header.height = core.Height;
    header.bitCount = core.BitCount;
    break;
  }
  case TBitmapInfoHeader::Size: {
    ReadOrFail(stream, bytes + 4, TBitmapInfoHeader::Size - 4, DIBMessages::HeaderCutShort);
    TByteReader reader(bytes, TBitmapInfoHeader::Size);
    TBitmapInfoHeader info;
    TBitmapInfoHeader::Fields(info, reader);
    header.width = info.Width;
    header.height = info.Height;
    header.bitCount = info.BitCount;
    header.compression = info.Compression;
    header.imageSize = info.ImageSize;
    header.colorsUsed = info.ColorsUsed;
    break;
  }
  default:
    Invalid(DIBMessages::HeaderSize, {std::to_string(headerSize)});
  }
  if (header.width < 0 || header.height == INT32_MIN)
    Invalid(DIBMessages::BadSize, {std::to_string(header.width), std::to_string(header.height)});
  return header;
}

int64_t Remaining(TStream &stream) { return stream.Size() - stream.Position(); }

TColorTable ReadColorTable(TStream &stream, const THeader &header) {
  int64_t count = header.colorsUsed;
  if (count == 0 && header.bitCount <= 8)
    count = int64_t{1} << header.bitCount;
  const int entrySize = header.core ? 3 : 4;
  if (count * entrySize > Remaining(stream))
    Invalid(DIBMessages::PaletteCutShort, {std::to_string(count)});
  const int kept = static_cast<int>(std::min<int64_t>(count, 256));
  std::vector<uint8_t> bytes(static_cast<std::size_t>(kept) * entrySize);
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  // Entries past the 256 an image can use are skipped, so the pixels are still found right after the table.
  stream.Seek((count - kept) * entrySize, TSeekOrigin::soCurrent);
  TColorTable colors;
  for (int i = 0; i < kept; ++i) {
    const uint8_t *entry = bytes.data() + i * entrySize;
    colors[i] = {entry[0], entry[1], entry[2], 0};
  }
  return colors;
}

std::shared_ptr<TDIBSharedImage> ReadRunLength(TStream &stream, const THeader &header, const TColorTable &colors) {
  // Run-length data exists only for 8 and 4 bits, and only bottom-up.
  const bool rle8 = header.compression == BI_RLE8;
  if (header.bitCount != (rle8 ? 8 : 4))
    Invalid(DIBMessages::RunLengthDepth, {rle8 ? "RLE8" : "RLE4", rle8 ? "8" : "4", std::to_string(header.bitCount)});
  if (header.height < 0)
    Invalid(DIBMessages::RunLengthTopDown);
  int64_t size = header.imageSize != 0 ? header.imageSize : Remaining(stream);
  if (size > Remaining(stream))
    Invalid(DIBMessages::PixelsCutShort);
  if (header.width * header.height > size * MaxRunLengthExpansion + RunLengthAllowance)
    Invalid(DIBMessages::RunLengthTooLarge);
  std::vector<uint8_t> data(static_cast<std::size_t>(size));
  stream.ReadBuffer(data.data(), size);
  return std::make_shared<TDIBSharedImage>(static_cast<int>(header.width), static_cast<int>(header.height),
                                           header.bitCount, colors, std::move(data));
}

std::shared_ptr<TDIBSharedImage> ReadPlain(TStream &stream, const THeader &header, const TChannelLayout &layout,
                                           const TColorTable &colors) {
  const int64_t height = header.height < 0 ? -header.height : header.height;
  const int64_t rowStride = RowStrideOf(header.bitCount, header.width);
  if (height > 0 && rowStride > Remaining(stream) / height)
    Invalid(DIBMessages::PixelsCutShort);
  auto image = std::make_shared<TDIBSharedImage>(static_cast<int>(header.width), static_cast<int>(height),
                                                 header.bitCount, layout, colors);
  if (header.height >= 0) {
    stream.ReadBuffer(image->Pixels.data(), image->DataSize);
  } else if (rowStride > 0) { // rows of zero width hold no bytes, however many there are
    for (int y = 0; y < height; ++y)
      stream.ReadBuffer(image->Row(y), rowStride);
  }
  return image;
}
} // namespace

std::shared_ptr<TDIBSharedImage> ReadDIBImage(TStream &stream) {
  const std::optional<THeader> read = ReadHeader(stream);
  if (!read)
    return EmptyDIBImage();
  const THeader &header = *read;

  TChannelLayout layout = header.bitCount == 16 ? Layout555 : Layout888;
  if (header.compression == BI_BITFIELDS) {
    uint8_t masks[12];
    ReadOrFail(stream, masks, sizeof masks, DIBMessages::MasksCutShort);
    TByteReader reader(masks, sizeof masks);
    const uint32_t red = reader.U32(), green = reader.U32(), blue = reader.U32();
    layout = TChannelLayout::FromMasks(red, green, blue);
  }
  const TColorTable colors = ReadColorTable(stream, header);

  TDIBSharedImage::CheckFormat(header.bitCount, layout);
  switch (header.compression) {
  case BI_RGB:
  case BI_BITFIELDS:
    return ReadPlain(stream, header, layout, colors);
  case BI_RLE8:
  case BI_RLE4:
    return ReadRunLength(stream, header, colors);
  default:
    Invalid(DIBMessages::Compression, {std::to_string(header.compression)});
  }
}
