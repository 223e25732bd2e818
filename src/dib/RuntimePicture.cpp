// The runtime's picture formats decoded to pixels: BMP and DIB through the DIB reader, ICO by its largest image,
// JPEG through libjpeg.
#include "dib/RuntimePicture.h"

#include "dib/DIB.h"
#include "dib/DIBMessages.h"
#include "dib/DIBReader.h"
#include "dib/GlobalMemoryStream.h"
#include "dib/JpegDecoder.h"
#include "platform/LittleEndian.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <cstring>

namespace {
TPixelImage FromDib(const TDIB &dib) {
  TPixelImage image{dib.Width(), dib.Height(), {}};
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
  if (!image.Pixels.empty())
    dib.ReadPixels32(image.Pixels.data(), image.Width);
  return image;
}

TPixelImage DecodeBitmap(const uint8_t *data, std::size_t size) {
  TGlobalMemoryStream stream(data, size);
  TDIB dib;
  dib.LoadFromStream(stream);
  return FromDib(dib);
}

TPixelImage DecodeJpeg(const uint8_t *data, std::size_t size) {
  TJpegDecoder decoder(data, size);
  const TJpegHeader &header = decoder.Header();
  TPixelImage image{header.Width, header.Height, {}};
  if (int64_t{header.Width} * header.Height <= MaxJpegPixels)
    image.Pixels.resize(static_cast<std::size_t>(header.Width) * static_cast<std::size_t>(header.Height));
  decoder.ReadPixels32(image.Pixels.data(), header.Width);
  return image;
}

constexpr uint8_t PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// An icon directory entry: where one of the icon's images lies.
struct TIconImage {
  int Width = 0, Height = 0;
  uint32_t Size = 0, Offset = 0;
};

// The largest image of the icon. Its DIB gives the height of the colour pixels and the AND mask together; the colour
// pixels alone are read. A PNG image is known by its signature and kept unexpanded (its size only).
TPixelImage DecodeIcon(const uint8_t *data, std::size_t size) {
  const auto invalid = [] { throw EInvalidGraphic(Translated(DIBMessages::NotAnIcon)); };
  TByteReader reader(data, size, invalid);
  const uint16_t reserved = reader.U16(), type = reader.U16(), count = reader.U16();
  if (reserved != 0 || (type != 1 && type != 2) || count == 0)
    invalid();
  TIconImage largest;
  for (int i = 0; i < count; ++i) {
    TIconImage image;
    const uint8_t width = reader.U8(), height = reader.U8();
    image.Width = width ? width : 256;
    image.Height = height ? height : 256;
    reader.Raw(6); // colours, reserved, planes, bit count
    image.Size = reader.U32();
    image.Offset = reader.U32();
    if (int64_t{image.Width} * image.Height > int64_t{largest.Width} * largest.Height)
      largest = image;
  }
  if (largest.Offset > size || largest.Size > size - largest.Offset)
    throw EInvalidGraphic(Translated(DIBMessages::IconImageOutside));
  const uint8_t *image = data + largest.Offset;
  if (largest.Size >= sizeof PngSignature && std::memcmp(image, PngSignature, sizeof PngSignature) == 0)
    return TPixelImage{largest.Width, largest.Height, {}};
  // The information header gives the colour pixels and the mask as one picture of twice the height.
  std::vector<uint8_t> dib(image, image + largest.Size);
  if (dib.size() < TBitmapInfoHeader::Size)
    throw EInvalidGraphic(Translated(DIBMessages::HeaderCutShort));
  uint8_t *heightField = dib.data() + 8;
  const auto height = static_cast<int32_t>(TByteReader(heightField, 4).U32()) / 2;
  TByteWriter halved;
  halved.Field(height);
  std::copy(halved.Bytes().begin(), halved.Bytes().end(), heightField);
  TDIB picture;
  picture.LoadFromClipboardFormat(dib.data(), dib.size());
  return FromDib(picture);
}

bool IsOneOf(const std::string &extension, std::initializer_list<const char *> names) {
  return std::any_of(names.begin(), names.end(), [&](const char *name) { return extension == name; });
}
} // namespace

bool RuntimeReadsPicture(const std::string &extension) {
  return IsOneOf(extension, {".BMP", ".DIB", ".ICO", ".JPG", ".JPEG"});
}

TPixelImage DecodeRuntimePicture(const uint8_t *data, std::size_t size, const std::string &extension) {
  if (IsOneOf(extension, {".JPG", ".JPEG"}))
    return DecodeJpeg(data, size);
  if (extension == ".ICO")
    return DecodeIcon(data, size);
  return DecodeBitmap(data, size);
}
