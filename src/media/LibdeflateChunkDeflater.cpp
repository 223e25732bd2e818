// The libdeflate engine of the chunked deflate: every chunk compressed on its own (libdeflate takes no dictionary)
// and, but for the last, opened at its end so that the next chunk's blocks follow it. Highly redundant chunks go to
// zlib instead, which compresses them smaller.
#ifdef TOVRIK_HAVE_LIBDEFLATE
#include "media/CalcCRC.h"
#include "media/DeflateChunk.h"
#include "media/DeflateJoin.h"
#include "media/ZipDeflate.h"
#include "media/ZlibChunkDeflater.h"
#include "platform/Exceptions.h"

#include <libdeflate.h>

#include <new>
#include <optional>
#include <vector>

namespace {
// Owns one libdeflate compressor.
class TLibdeflateCompressor {
public:
  explicit TLibdeflateCompressor(int level) : compressor(libdeflate_alloc_compressor(level)) {
    if (!compressor)
      throw std::bad_alloc();
  }
  ~TLibdeflateCompressor() { libdeflate_free_compressor(compressor); }
  TLibdeflateCompressor(const TLibdeflateCompressor &) = delete;
  TLibdeflateCompressor &operator=(const TLibdeflateCompressor &) = delete;

  // Compresses size bytes into output, resized to what was written.
  void Compress(const uint8_t *data, std::size_t size, std::vector<uint8_t> &output) {
    // The bound always suffices; the joint adds six bytes at most.
    output.resize(libdeflate_deflate_compress_bound(compressor, size) + 8);
    const std::size_t produced = libdeflate_deflate_compress(compressor, data, size, output.data(), output.size());
    if (produced == 0)
      throw Exception("libdeflate: the output did not fit its bound");
    output.resize(produced);
  }

private:
  libdeflate_compressor *compressor;
};

// libdeflate's lazy parsing (levels 6 and 7, used by "Normální" and "Nejlepší") writes highly redundant data, such
// as sprites on a flat background or text, 2-15 % larger than zlib's level 6 or 9; on data compressing to 30 % or
// more it writes less, at two to five times zlib's speed. So a sample of each chunk (eight 8 KiB slices across it)
// is compressed at libdeflate's fastest level first, and a chunk whose sample shrinks below 75 % goes to zlib, as
// it did before libdeflate (a chunk half text, half noise among them: its text half decides). The choice depends on the chunk's bytes alone, so the output does not depend on the
// number of threads. libdeflate's greedy level 2 ("Rychlá") beats zlib's level 1 everywhere and always does it.
constexpr std::size_t SampleSlices = 8;
constexpr std::size_t SampleSliceSize = 8 << 10;
constexpr double RedundantBelow = 0.75;

class TLibdeflateChunkDeflater : public TChunkDeflater {
public:
  explicit TLibdeflateChunkDeflater(int level)
      : compressor(LevelSettings(level).LibdeflateLevel), lazyParsing(LevelSettings(level).Level >= 2) {
    if (lazyParsing) {
      sampler.emplace(1);
      zlib.emplace(LevelSettings(level).ZlibLevel);
    }
  }

  void Deflate(TDeflateChunk &chunk) override {
    const uint8_t *data = chunk.input.data() + chunk.dictionaryLength;
    if (lazyParsing && Redundant(data, chunk.dataLength)) {
      zlib->Deflate(chunk);
      return;
    }
    chunk.crc = UpdateCrc32(0, data, chunk.dataLength);
    compressor.Compress(data, chunk.dataLength, chunk.output);
    if (!chunk.last)
      OpenDeflateEnd(chunk.output);
  }

private:
  bool Redundant(const uint8_t *data, std::size_t size) {
    if (size == 0)
      return false;
    if (size <= SampleSlices * SampleSliceSize) {
      sample.assign(data, data + size); // a short chunk is its own sample
    } else {
      sample.clear();
      for (std::size_t slice = 0; slice < SampleSlices; ++slice) {
        const uint8_t *start = data + slice * (size / SampleSlices);
        sample.insert(sample.end(), start, start + SampleSliceSize);
      }
    }
    sampler->Compress(sample.data(), sample.size(), sampleOutput);
    return double(sampleOutput.size()) < RedundantBelow * double(sample.size());
  }

  TLibdeflateCompressor compressor;
  bool lazyParsing;
  std::optional<TLibdeflateCompressor> sampler;
  std::optional<TZlibChunkDeflater> zlib;
  std::vector<uint8_t> sample, sampleOutput;
};
} // namespace

std::unique_ptr<TChunkDeflater> NewChunkDeflater(int level) {
  return std::make_unique<TLibdeflateChunkDeflater>(level);
}

// zlib, when a chunk goes to it, reads the 32 KiB before the chunk.
std::size_t ChunkDictionarySize() { return ZlibChunkDictionarySize; }

const char *DeflateEngineName() { return "libdeflate"; }
#endif
