// The zlib engine of the chunked deflate: each chunk primed with the 32 KiB before it as its dictionary and ended on
// a byte boundary by a sync flush (the last one finished), so that one chunk gives exactly a one-shot deflate.
#ifndef TOVRIK_HAVE_LIBDEFLATE
#include "media/CalcCRC.h"
#include "media/DeflateChunk.h"
#include "media/ZipDeflate.h"
#include "platform/Exceptions.h"

#include <zlib.h>

namespace {
// A raw deflate state (no zlib header or trailer), reset for every chunk it compresses.
class TZlibChunkDeflater : public TChunkDeflater {
public:
  explicit TZlibChunkDeflater(int zlibLevel) : state(zlibLevel, -15) {}

  void Deflate(TDeflateChunk &chunk) override {
    z_stream &stream = state.Stream();
    deflateReset(&stream);
    if (chunk.dictionaryLength > 0)
      deflateSetDictionary(&stream, chunk.input.data(), static_cast<uInt>(chunk.dictionaryLength));
    const uint8_t *data = chunk.input.data() + chunk.dictionaryLength;
    chunk.crc = UpdateCrc32(0, data, chunk.dataLength);
    // A sync flush adds an empty stored block, five bytes at most, to what the bound allows for.
    chunk.output.resize(deflateBound(&stream, static_cast<uLong>(chunk.dataLength)) + 16);
    stream.next_in = const_cast<Bytef *>(data);
    stream.avail_in = static_cast<uInt>(chunk.dataLength);
    const int flush = chunk.last ? Z_FINISH : Z_SYNC_FLUSH;
    std::size_t produced = 0;
    for (;;) {
      stream.next_out = chunk.output.data() + produced;
      stream.avail_out = static_cast<uInt>(chunk.output.size() - produced);
      const int result = deflate(&stream, flush);
      if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
        throw Exception(std::string("zlib: ") + (stream.msg ? stream.msg : zError(result)));
      produced = chunk.output.size() - stream.avail_out;
      if (result == Z_STREAM_END || (!chunk.last && stream.avail_in == 0 && stream.avail_out != 0))
        break;
      chunk.output.resize(chunk.output.size() + 4096);
    }
    chunk.output.resize(produced);
  }

private:
  TDeflateState state;
};
} // namespace

std::unique_ptr<TChunkDeflater> NewChunkDeflater(int level) {
  return std::make_unique<TZlibChunkDeflater>(LevelSettings(level).ZlibLevel);
}

std::size_t ChunkDictionarySize() { return std::size_t(1) << 15; }

const char *DeflateEngineName() { return "zlib"; }
#endif
