// The libdeflate engine of the chunked deflate: every chunk compressed on its own (libdeflate takes no dictionary)
// and, but for the last, opened at its end so that the next chunk's blocks follow it.
#ifdef TOVRIK_HAVE_LIBDEFLATE
#include "media/CalcCRC.h"
#include "media/DeflateChunk.h"
#include "media/DeflateJoin.h"
#include "media/ZipDeflate.h"
#include "platform/Exceptions.h"

#include <libdeflate.h>

#include <new>

namespace {
class TLibdeflateChunkDeflater : public TChunkDeflater {
public:
  explicit TLibdeflateChunkDeflater(int libdeflateLevel) : compressor(libdeflate_alloc_compressor(libdeflateLevel)) {
    if (!compressor)
      throw std::bad_alloc();
  }
  ~TLibdeflateChunkDeflater() override { libdeflate_free_compressor(compressor); }
  TLibdeflateChunkDeflater(const TLibdeflateChunkDeflater &) = delete;
  TLibdeflateChunkDeflater &operator=(const TLibdeflateChunkDeflater &) = delete;

  void Deflate(TDeflateChunk &chunk) override {
    const uint8_t *data = chunk.input.data() + chunk.dictionaryLength;
    chunk.crc = UpdateCrc32(0, data, chunk.dataLength);
    // The bound always suffices; the joint adds six bytes at most.
    chunk.output.resize(libdeflate_deflate_compress_bound(compressor, chunk.dataLength) + 8);
    const std::size_t produced =
        libdeflate_deflate_compress(compressor, data, chunk.dataLength, chunk.output.data(), chunk.output.size());
    if (produced == 0)
      throw Exception("libdeflate: the output did not fit its bound");
    chunk.output.resize(produced);
    if (!chunk.last)
      OpenDeflateEnd(chunk.output);
  }

private:
  libdeflate_compressor *compressor;
};
} // namespace

std::unique_ptr<TChunkDeflater> NewChunkDeflater(int level) {
  return std::make_unique<TLibdeflateChunkDeflater>(LevelSettings(level).LibdeflateLevel);
}

std::size_t ChunkDictionarySize() { return 0; }

const char *DeflateEngineName() { return "libdeflate"; }
#endif
