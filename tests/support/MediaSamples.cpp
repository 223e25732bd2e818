// Pictures and sounds of today's formats, made in the tests with the libraries themselves.
#include "support/MediaSamples.h"

#include <gif_lib.h>
#include <png.h>
#include <sndfile.h>
#include <webp/encode.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {
// The folder of a sample is made with it, as TTempAppFolder::WriteFile makes it.
const std::string &InFolder(const std::string &path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  return path;
}
} // namespace

TSampleRgba SoftEdgedSprite(int size) {
  TSampleRgba sprite{size, size, std::vector<uint8_t>(std::size_t(size) * size * 4, 0)};
  const double centre = (size - 1) / 2.0, radius = size / 2.0 - 2;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double distance = std::hypot(x - centre, y - centre);
      const double coverage = std::clamp(radius - distance + 0.5, 0.0, 1.0);
      uint8_t *pixel = &sprite.Pixels[(std::size_t(y) * size + x) * 4];
      const bool left = x < size / 2;
      pixel[0] = left ? 230 : 40;
      pixel[1] = left ? 60 : 170;
      pixel[2] = left ? 50 : 90;
      pixel[3] = static_cast<uint8_t>(std::lround(coverage * 255));
    }
  return sprite;
}

void WritePng(const std::string &path, const TSampleRgba &picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.Width);
  image.height = static_cast<png_uint_32>(picture.Height);
  image.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&image, InFolder(path).c_str(), 0, picture.Pixels.data(), 0, nullptr))
    throw std::runtime_error(image.message);
}

void WriteWebp(const std::string &path, const TSampleRgba &picture) {
  uint8_t *encoded = nullptr;
  const std::size_t size =
      WebPEncodeLosslessRGBA(picture.Pixels.data(), picture.Width, picture.Height, picture.Width * 4, &encoded);
  std::ofstream(InFolder(path), std::ios::binary).write(reinterpret_cast<const char *>(encoded), static_cast<std::streamsize>(size));
  WebPFree(encoded);
}

void WriteGif(const std::string &path) {
  int error = 0;
  GifFileType *gif = EGifOpenFileName(InFolder(path).c_str(), false, &error);
  GifColorType colors[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
  ColorMapObject *map = GifMakeMapObject(4, colors);
  GraphicsControlBlock control{};
  control.TransparentColor = 3;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  GifPixelType rows[2][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}};
  EGifPutScreenDesc(gif, 4, 2, 8, 0, map);
  EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
  EGifPutImageDesc(gif, 0, 0, 4, 2, false, nullptr);
  for (GifPixelType *row : rows)
    EGifPutLine(gif, row, 4);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
}

std::vector<int16_t> WriteSound(const std::string &path, int format, int rate, int channels, int frames) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE *file = sf_open(InFolder(path).c_str(), SFM_WRITE, &info);
  if (!file)
    throw std::runtime_error(sf_strerror(nullptr));
  std::vector<int16_t> samples(std::size_t(frames) * channels);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(std::lround(12000 * std::sin(2 * M_PI * 440 * double(i / channels) / rate)));
  sf_writef_short(file, samples.data(), frames);
  sf_close(file);
  return samples;
}
