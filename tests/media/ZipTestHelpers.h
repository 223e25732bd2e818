// Helpers shared by the archive tests: byte blocks, archives built in memory, sample data.
#pragma once

#include "media/ParallelDeflate.h"
#include "media/ZIPStream.h"
#include "platform/Streams.h"

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

inline TBytes BytesOf(const std::string &text) { return TBytes(text.begin(), text.end()); }

inline TBytes Contents(TMemoryStream &stream) {
  return TBytes(stream.Memory(), stream.Memory() + stream.Size());
}

inline TMemoryStream StreamOf(const TBytes &bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  return stream;
}

// A fixed time, so that whole archives can be compared: 2024-05-17 13:45:30 is AF 6D B1 58.
inline TLocalTime FixedTestTime() { return {2024, 5, 17, 13, 45, 30}; }

// The media stream of an image document with one entry a.bmp holding 41 42 43.
inline TBytes SampleMediaStream() {
  return {0x00, 0x03, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x61, 0x04, 0x2E, 0x42, 0x4D, 0x50, 0x00, 0x01, 0, 0, 0, 0, 0x00,
          0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
          0x41, 0x42, 0x43};
}

// Text-like runs mixed with noise: compressible, but not trivially.
inline TBytes MixedData(std::size_t size, uint32_t seed = 1) {
  TBytes bytes(size);
  uint32_t state = seed;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    const bool noisy = (i / 4096) % 3 == 2;
    bytes[i] = noisy ? static_cast<uint8_t>(state >> 16) : static_cast<uint8_t>("tovrik media "[(i + (state >> 28)) % 13]);
  }
  return bytes;
}

// Runs of text-like bytes and of noise by turns, a deflate chunk long each, so that the chunked deflate hands its
// chunks to both of its engines (zlib takes the redundant ones, libdeflate the rest) and joins them both ways.
inline TBytes ChunkwiseMixedData(std::size_t size, uint32_t seed = 1) {
  TBytes bytes(size);
  uint32_t state = seed;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    const bool noisy = (i / DeflateChunkSize) % 2 == 1;
    bytes[i] = noisy ? static_cast<uint8_t>(state >> 16) : static_cast<uint8_t>("tovrik media "[(i + (state >> 28)) % 13]);
  }
  return bytes;
}

inline TBytes ArchiveOf(const std::string &name, const TBytes &data, int level) {
  TZip zip;
  zip.SetFixedTime(FixedTestTime());
  zip.AddEntry(name, data.data(), level, static_cast<uint32_t>(data.size()));
  TMemoryStream target;
  zip.WriteTo(target);
  return Contents(target);
}

// Opens archive bytes and extracts one entry (throws what the archive throws).
inline TBytes ExtractFrom(const TBytes &archive, const std::string &name) {
  TMemoryStream source = StreamOf(archive);
  TZip zip;
  zip.Open(&source);
  TMemoryStream target;
  zip.ExtractEntry(name, target);
  return Contents(target);
}

inline void PutU16(TBytes &bytes, std::size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(TBytes &bytes, std::size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
