// The zlib engine of the chunked deflate: each chunk primed with the 32 KiB before it as its dictionary and ended on
// a byte boundary by a sync flush (the last one finished), so that one chunk gives exactly a one-shot deflate.
#pragma once

#include "media/DeflateChunk.h"
#include "media/ZipDeflate.h"

// A raw deflate state (no zlib header or trailer), reset for every chunk it compresses.
class TZlibChunkDeflater : public TChunkDeflater {
public:
  explicit TZlibChunkDeflater(int zlibLevel);
  void Deflate(TDeflateChunk &chunk) override;

private:
  TDeflateState state;
};

// The 32 KiB window a zlib chunk takes from before itself.
inline constexpr std::size_t ZlibChunkDictionarySize = std::size_t(1) << 15;
