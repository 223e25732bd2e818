// PNG pictures through libpng's simplified interface, which keeps its error jumps to itself.
#include "convert/Conversion.h"
#include "convert/ConvertMessages.h"
#include "convert/RgbaPicture.h"
#include "platform/TextLanguage.h"

#include <png.h>

namespace {
// Frees what libpng holds for the image, however the reading ends.
struct TPngImage {
  png_image image{};
  TPngImage() { image.version = PNG_IMAGE_VERSION; }
  ~TPngImage() { png_image_free(&image); }
  TPngImage(const TPngImage &) = delete;
  TPngImage &operator=(const TPngImage &) = delete;
  [[noreturn]] void Refuse() const { throw EConversionError(Substitute(Translated(ConvertMessages::NotPng), {image.message})); }
};
} // namespace

TRgbaPicture DecodePng(const std::vector<uint8_t> &bytes) {
  TPngImage png;
  if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size()))
    png.Refuse();
  TRgbaPicture picture;
  AllocatePicture(picture, png.image.width, png.image.height);
  png.image.format = PNG_FORMAT_RGBA;
  if (!png_image_finish_read(&png.image, nullptr, picture.Pixels.data(), 0, nullptr))
    png.Refuse();
  return picture;
}
