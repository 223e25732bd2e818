// One chunk of a chunked deflate and the engines that compress it (zlib, or libdeflate where the build has it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

struct TDeflateChunk {
  std::vector<uint8_t> input; // the dictionary, then the chunk's own bytes
  std::size_t dictionaryLength = 0;
  std::size_t dataLength = 0;
  bool last = false;
  std::vector<uint8_t> output;
  uint32_t crc = 0;
  std::exception_ptr failure;
  bool done = false;
};

// Compresses chunks one after another into raw deflate data that simply follow each other in the archive: every
// chunk but the last ends with no final block and on a byte boundary. One per thread.
class TChunkDeflater {
public:
  virtual ~TChunkDeflater() = default;
  // Fills chunk.output and chunk.crc from the chunk's input.
  virtual void Deflate(TDeflateChunk &chunk) = 0;
};

// The engine of this build at the compression level 1..3 ("Rychlá", "Normální", "Nejlepší").
std::unique_ptr<TChunkDeflater> NewChunkDeflater(int level);
// How many bytes before a chunk the engine reads as its dictionary (zlib 32 KiB; libdeflate has none).
std::size_t ChunkDictionarySize();
// "libdeflate" or "zlib": what this build deflates with.
const char *DeflateEngineName();
