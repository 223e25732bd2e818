// Which formats are converted, and the conversion of one file: read, decode, write what the runtime reads.
#include "convert/Conversion.h"

#include "convert/ConvertMessages.h"
#include "convert/ConvertedFormats.h"
#include "convert/KeyedBitmap.h"
#include "convert/RgbaPicture.h"
#include "platform/CodePage.h"
#include "platform/Streams.h"
#include "platform/TextLanguage.h"

#include <algorithm>

namespace {
std::vector<uint8_t> FileBytes(const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  const int64_t size = file.Size();
  if (size < 0 || static_cast<uint64_t>(size) > MaxPictureFileBytes)
    throw EConversionError(
        Substitute(Translated(ConvertMessages::FileTooLarge), {std::to_string(MaxPictureFileBytes >> 20)}));
  std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
  file.ReadBuffer(bytes.data(), size);
  return bytes;
}

std::string Extension(const std::string &path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return {};
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
  return ext;
}

TConversionResult ConvertPicture(const std::string &path, TStream &target) {
  const std::string ext = Extension(path);
  const auto &formats = PictureFormats();
  const auto format = std::find_if(formats.begin(), formats.end(), [&](const TPictureFormat &f) { return f.Ext == ext; });
  if (format == formats.end())
    throw EConversionError(Translated(ConvertMessages::NotConverted));
  const TRgbaPicture picture = format->Decode(FileBytes(path));
  const TKeyedBitmap bitmap = WriteKeyedBitmap(picture, target);
  TConversionResult result;
  result.Ext = ConvertedTargetExtension(TMediaGroup::Pictures);
  result.Size = bitmap.Size;
  result.Transparent = bitmap.Transparent;
  result.KeyColor = bitmap.KeyColor;
  return result;
}
} // namespace

void CheckPictureSize(uint64_t width, uint64_t height) {
  if (width == 0 || height == 0)
    throw EConversionError(Translated(ConvertMessages::PictureEmpty));
  if (width > MaxConvertedPixels || height > MaxConvertedPixels || width * height > MaxConvertedPixels)
    throw EConversionError(Substitute(Translated(ConvertMessages::PictureTooLarge),
                                      {std::to_string(width), std::to_string(height), std::to_string(MaxConvertedPixels)}));
}

void AllocatePicture(TRgbaPicture &picture, uint64_t width, uint64_t height) {
  CheckPictureSize(width, height);
  picture.Width = static_cast<uint32_t>(width);
  picture.Height = static_cast<uint32_t>(height);
  picture.Pixels.assign(static_cast<std::size_t>(width * height * 4), 0);
}

const std::vector<std::string> &ConvertedExtensions(TMediaGroup group) {
  static const std::vector<std::string> pictures = [] {
    std::vector<std::string> exts;
    for (const TPictureFormat &format : PictureFormats())
      exts.push_back(format.Ext);
    return exts;
  }();
  return group == TMediaGroup::Pictures ? pictures : SoundFormats();
}

const char *ConvertedTargetExtension(TMediaGroup group) { return group == TMediaGroup::Pictures ? ".BMP" : ".WAV"; }

bool IsConvertedExtension(TMediaGroup group, const std::string &ext) {
  const std::vector<std::string> &converted = ConvertedExtensions(group);
  return std::find(converted.begin(), converted.end(), ext) != converted.end();
}

TConversionResult ConvertFile(TMediaGroup group, const std::string &path, TStream &target, int32_t targetRate) {
  try {
    if (group == TMediaGroup::Pictures)
      return ConvertPicture(path, target);
    if (!SoundConverter() || !IsConvertedExtension(group, Extension(path)))
      throw EConversionError(Translated(ConvertMessages::NotConverted));
    return SoundConverter()(path, target, targetRate);
  } catch (const EConversionError &reason) {
    throw EConversionError(Substitute(Translated(ConvertMessages::CannotConvert), {PrintableText(path), reason.what()}));
  }
}
