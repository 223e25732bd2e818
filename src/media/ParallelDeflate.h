// Deflating a long stream on every core: independent chunks joined into one raw deflate stream.
#pragma once

#include "platform/Streams.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// How the chunks are cut: each is deflated on its own by the build's engine (DeflateChunk.h) and ends on a byte
// boundary without a final block (the last one finished), so that the chunks simply follow each other in the
// archive. 1 MiB: larger chunks hardly shrink the output (0.03 % at 4 MiB) but cost memory on every thread.
inline constexpr std::size_t DeflateChunkSize = std::size_t(1) << 20;

struct TDeflatedStream {
  uint32_t Crc32 = 0;         // of the uncompressed bytes
  int64_t CompressedSize = 0; // bytes handed to the sink
};

// Receives the compressed bytes in stream order, on the calling thread.
using TDeflateSink = std::function<void(const uint8_t *data, std::size_t size)>;
// Told after each chunk has gone to the sink: uncompressed bytes done out of the total. It may throw
// (a cancelled save); the workers are then stopped before the exception leaves DeflateInChunks.
using TDeflateProgress = std::function<void(int64_t done, int64_t total)>;

// Reads total bytes of source from its current position and deflates them at the compression level 1..3 into
// sink. threads 0 takes every core the machine has; a stream of a single chunk is always deflated on the calling
// thread. The bytes written depend only on the data and the level, never on the number of threads.
TDeflatedStream DeflateInChunks(TStream &source, int64_t total, int level, const TDeflateSink &sink,
                                const TDeflateProgress &progress = {}, unsigned threads = 0);
