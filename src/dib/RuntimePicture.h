// The picture formats the game's runtime reads (BMP, DIB, ICO, JPEG), decoded to pixels without any window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TPixelImage {
  int Width = 0;
  int Height = 0;
  // 0xFFRRGGBB, rows top to bottom; empty when the file keeps its pixels in a form read elsewhere (a PNG icon image).
  std::vector<uint32_t> Pixels;
  uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + x]; }
};

// Whether the runtime reads pictures of this extension (with its dot, upper case, as entries keep it).
bool RuntimeReadsPicture(const std::string &extension);
// The picture in data as its extension says; throws Exception with the Czech reason when it is not one.
TPixelImage DecodeRuntimePicture(const uint8_t *data, std::size_t size, const std::string &extension);
