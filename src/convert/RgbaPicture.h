// A decoded picture: 8-bit red, green, blue and alpha per pixel, rows from the top, not premultiplied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TRgbaPicture {
  uint32_t Width = 0;
  uint32_t Height = 0;
  std::vector<uint8_t> Pixels; // Width * Height * 4 bytes
};

// The most pixels a conversion takes (64 Mpx, 256 MB decoded): a larger picture is refused before anything is
// allocated for it.
constexpr uint64_t MaxConvertedPixels = uint64_t{64} << 20;
// The largest picture file read (into memory) for a conversion.
constexpr uint64_t MaxPictureFileBytes = uint64_t{256} << 20;

// Throws EConversionError with the reason when width × height may not be converted.
void CheckPictureSize(uint64_t width, uint64_t height);
// Checks the size, then sizes picture for it, every pixel transparent black.
void AllocatePicture(TRgbaPicture &picture, uint64_t width, uint64_t height);

// The decoders: bytes of a whole file in, the picture out; each throws the reason of a refusal as
// EConversionError without the file's name (ConvertFile adds it).
TRgbaPicture DecodePng(const std::vector<uint8_t> &bytes);
TRgbaPicture DecodeGif(const std::vector<uint8_t> &bytes);
TRgbaPicture DecodeWebp(const std::vector<uint8_t> &bytes);
TRgbaPicture DecodeTga(const std::vector<uint8_t> &bytes);
