// WebP pictures through libwebp (still pictures; an animation's frames are not taken apart).
#include "convert/Conversion.h"
#include "convert/ConvertMessages.h"
#include "convert/RgbaPicture.h"
#include "platform/TextLanguage.h"

#include <webp/decode.h>

#include <string>

namespace {
std::string StatusText(VP8StatusCode status) {
  switch (status) {
  case VP8_STATUS_OUT_OF_MEMORY: return "out of memory";
  case VP8_STATUS_INVALID_PARAM: return "invalid parameter";
  case VP8_STATUS_BITSTREAM_ERROR: return "bitstream error";
  case VP8_STATUS_UNSUPPORTED_FEATURE: return "unsupported feature (an animation?)";
  case VP8_STATUS_NOT_ENOUGH_DATA: return "not enough data";
  default: return "status " + std::to_string(static_cast<int>(status));
  }
}

[[noreturn]] void Refuse(const std::string &why) {
  throw EConversionError(Substitute(Translated(ConvertMessages::NotWebp), {why}));
}
} // namespace

TRgbaPicture DecodeWebp(const std::vector<uint8_t> &bytes) {
  WebPBitstreamFeatures features{};
  if (const VP8StatusCode status = WebPGetFeatures(bytes.data(), bytes.size(), &features); status != VP8_STATUS_OK)
    Refuse(StatusText(status));
  if (features.has_animation)
    Refuse(StatusText(VP8_STATUS_UNSUPPORTED_FEATURE));
  TRgbaPicture picture;
  AllocatePicture(picture, static_cast<uint64_t>(features.width), static_cast<uint64_t>(features.height));
  const int stride = features.width * 4;
  if (!WebPDecodeRGBAInto(bytes.data(), bytes.size(), picture.Pixels.data(), picture.Pixels.size(), stride))
    Refuse(StatusText(VP8_STATUS_BITSTREAM_ERROR));
  return picture;
}
