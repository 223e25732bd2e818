// The compression levels, and one-shot compression through zlib (CompressBlock); entries are deflated in chunks
// (ParallelDeflate.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <zlib.h>

// What a compression level 0..3 ("Zádná", "Rychlá", "Normální", "Nejlepší") writes.
struct TLevelSettings {
  int Level;       // the level after clamping to 0..3
  uint16_t Method; // 0 stored, 8 deflated
  int ZlibLevel;   // 1, Z_DEFAULT_COMPRESSION or 9 (unused when stored)
  // libdeflate's level in place of ZlibLevel: 2, 6 or 7, the fastest that compresses about as well (its level 1
  // loses 7 % on noisy bitmaps; bench/compare.sh prints both engines' sizes per level).
  int LibdeflateLevel;
  uint16_t Flags;  // the deflate option bits 1 and 2
};

// Levels outside 0..3 (a hand-edited config.ini) are clamped to the nearest one.
TLevelSettings LevelSettings(int level);
// The zlib level that the deflate option bits of an entry's Flags suggest: 1, 9 or -1.
int LevelHintFromFlags(uint16_t flags);

// One-shot compression of a memory block into a zlib stream (2-byte header, deflate data,
// 4-byte Adler-32); the archive keeps only the deflate data between header and trailer.
std::vector<uint8_t> CompressBlock(const void *data, std::size_t size, int zlibLevel);

// A zlib deflate state that is always ended: a zlib stream (window bits 15) or, with -15, raw deflate.
class TDeflateState {
public:
  explicit TDeflateState(int zlibLevel, int windowBits = 15);
  ~TDeflateState();
  TDeflateState(const TDeflateState &) = delete;
  TDeflateState &operator=(const TDeflateState &) = delete;
  z_stream &Stream() { return stream; }

private:
  z_stream stream{};
};
