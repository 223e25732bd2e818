// The zlib engine of the chunked deflate, and the engine of a build without libdeflate.
#include "media/ZlibChunkDeflater.h"

#include "media/CalcCRC.h"
#include "platform/Exceptions.h"

#include <zlib.h>

TZlibChunkDeflater::TZlibChunkDeflater(int zlibLevel) : state(zlibLevel, -15) {}

void TZlibChunkDeflater::Deflate(TDeflateChunk &chunk) {
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

#ifndef TOVRIK_HAVE_LIBDEFLATE
std::unique_ptr<TChunkDeflater> NewChunkDeflater(int level) {
  return std::make_unique<TZlibChunkDeflater>(LevelSettings(level).ZlibLevel);
}

std::size_t ChunkDictionarySize() { return ZlibChunkDictionarySize; }

const char *DeflateEngineName() { return "zlib"; }
#endif
