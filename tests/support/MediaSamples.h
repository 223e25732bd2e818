// Pictures and sounds of today's formats, made in the tests with the libraries themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TSampleRgba {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels; // RGBA, rows from the top
  const uint8_t *At(int x, int y) const { return &Pixels[(std::size_t(y) * Width + x) * 4]; }
};

// A sprite as a modern editor exports it: an opaque disc in two colours on a transparent background, its edge
// antialiased through alpha alone (the edge pixels keep the disc's colour, their alpha falls from 255 to 0).
TSampleRgba SoftEdgedSprite(int size);
void WritePng(const std::string &path, const TSampleRgba &picture);
void WriteWebp(const std::string &path, const TSampleRgba &picture);
// A paletted GIF, 4 × 2: red, green, blue, transparent (index 3) in the top row and the bottom row reversed.
void WriteGif(const std::string &path);
// A sine of 440 Hz, frames long, through libsndfile in format (SF_FORMAT_… major | subtype); the samples written
// as 16-bit values, channels interleaved.
std::vector<int16_t> WriteSound(const std::string &path, int format, int rate, int channels, int frames);
