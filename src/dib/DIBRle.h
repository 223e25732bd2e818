// Decoding of run-length encoded pixel data (RLE8 and RLE4) into uncompressed rows.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes data into pixels: height rows of rowStride bytes, bottom row first, already zeroed.
// Pixels the data skips keep their value; whatever would land outside the image is dropped,
// and decoding stops at the end of the data, at the end-of-bitmap code or above the top row.
void DecodeRunLength(const uint8_t *data, std::size_t size, int depth, int width, int height, int64_t rowStride,
                     uint8_t *pixels);
