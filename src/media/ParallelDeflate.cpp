// The chunked deflate: the calling thread reads chunks and writes results in order, worker threads
// deflate and checksum them, and the CRC-32 of the whole is combined from the chunks' CRCs.
#include "media/ParallelDeflate.h"

#include "media/CalcCRC.h"
#include "media/ZipDeflate.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <zlib.h>

namespace {

struct TChunk {
  std::vector<uint8_t> input; // the dictionary, then the chunk's own bytes
  std::size_t dictionaryLength = 0;
  std::size_t dataLength = 0;
  bool last = false;
  std::vector<uint8_t> output;
  uint32_t crc = 0;
  std::exception_ptr failure;
  bool done = false;
};

// A raw deflate state (no zlib header or trailer), reset for every chunk it compresses.
class TChunkDeflater {
public:
  explicit TChunkDeflater(int zlibLevel) : state(zlibLevel, -15) {}

  void Deflate(TChunk &chunk) {
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

// Threads that deflate submitted chunks; without threads, Submit deflates on the calling thread.
// Dropping the pool stops the threads after the chunk each is busy with.
class TDeflatePool {
public:
  TDeflatePool(int zlibLevel, unsigned threadCount) : zlibLevel(zlibLevel) {
    if (threadCount == 0)
      inlineDeflater = std::make_unique<TChunkDeflater>(zlibLevel);
    for (unsigned i = 0; i < threadCount; ++i)
      threads.emplace_back([this] { Work(); });
  }
  ~TDeflatePool() {
    {
      std::lock_guard<std::mutex> guard(lock);
      stopping = true;
    }
    workReady.notify_all();
    for (std::thread &thread : threads)
      thread.join();
  }
  TDeflatePool(const TDeflatePool &) = delete;
  TDeflatePool &operator=(const TDeflatePool &) = delete;

  void Submit(TChunk &chunk) {
    chunk.done = false;
    chunk.failure = nullptr;
    if (inlineDeflater) {
      inlineDeflater->Deflate(chunk);
      chunk.done = true;
      return;
    }
    {
      std::lock_guard<std::mutex> guard(lock);
      pending.push_back(&chunk);
    }
    workReady.notify_one();
  }

  // Waits until chunk is deflated; a failure of its worker is thrown here.
  void Await(TChunk &chunk) {
    std::unique_lock<std::mutex> guard(lock);
    chunkDone.wait(guard, [&] { return chunk.done; });
    if (chunk.failure)
      std::rethrow_exception(chunk.failure);
  }

private:
  void Work() {
    std::unique_ptr<TChunkDeflater> deflater;
    std::exception_ptr setupFailure;
    try {
      deflater = std::make_unique<TChunkDeflater>(zlibLevel);
    } catch (...) {
      setupFailure = std::current_exception();
    }
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
      workReady.wait(guard, [this] { return stopping || !pending.empty(); });
      if (stopping)
        return;
      TChunk &chunk = *pending.front();
      pending.pop_front();
      guard.unlock();
      std::exception_ptr failure = setupFailure;
      if (!failure) {
        try {
          deflater->Deflate(chunk);
        } catch (...) {
          failure = std::current_exception();
        }
      }
      guard.lock();
      chunk.failure = failure;
      chunk.done = true;
      chunkDone.notify_all();
    }
  }

  int zlibLevel;
  std::unique_ptr<TChunkDeflater> inlineDeflater;
  std::mutex lock;
  std::condition_variable workReady;
  std::condition_variable chunkDone;
  std::deque<TChunk *> pending;
  bool stopping = false;
  std::vector<std::thread> threads;
};

unsigned ThreadsFor(int64_t total, unsigned wanted) {
  const int64_t chunks = (total + int64_t(DeflateChunkSize) - 1) / int64_t(DeflateChunkSize);
  if (chunks <= 1)
    return 0;
  if (wanted == 0)
    wanted = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<unsigned>(std::min<int64_t>(wanted, chunks));
}

} // namespace

TDeflatedStream DeflateInChunks(TStream &source, int64_t total, int zlibLevel, const TDeflateSink &sink,
                                const TDeflateProgress &progress, unsigned threads) {
  const unsigned threadCount = ThreadsFor(total, threads);
  // Two chunks per thread keep every thread busy while the oldest one is written out.
  const std::size_t inFlightLimit = std::max<std::size_t>(2, 2 * std::size_t(threadCount));
  std::vector<std::unique_ptr<TChunk>> chunks;
  std::deque<TChunk *> inFlight;
  std::vector<TChunk *> spare;
  std::vector<uint8_t> dictionary;
  TDeflatedStream result;
  int64_t read = 0, written = 0;
  bool first = true;

  TDeflatePool pool(zlibLevel, threadCount);
  while (first || read < total || !inFlight.empty()) {
    while ((first || read < total) && inFlight.size() < inFlightLimit) {
      first = false;
      if (spare.empty()) {
        chunks.push_back(std::make_unique<TChunk>());
        spare.push_back(chunks.back().get());
      }
      TChunk &chunk = *spare.back();
      spare.pop_back();
      chunk.dataLength = static_cast<std::size_t>(std::min<int64_t>(total - read, int64_t(DeflateChunkSize)));
      chunk.dictionaryLength = dictionary.size();
      chunk.input.resize(chunk.dictionaryLength + chunk.dataLength);
      std::copy(dictionary.begin(), dictionary.end(), chunk.input.begin());
      source.ReadBuffer(chunk.input.data() + chunk.dictionaryLength, static_cast<int64_t>(chunk.dataLength));
      read += static_cast<int64_t>(chunk.dataLength);
      chunk.last = read == total;
      const std::size_t kept = std::min(chunk.input.size(), DeflateDictionarySize);
      dictionary.assign(chunk.input.end() - static_cast<std::ptrdiff_t>(kept), chunk.input.end());
      pool.Submit(chunk);
      inFlight.push_back(&chunk);
    }
    TChunk &oldest = *inFlight.front();
    pool.Await(oldest);
    inFlight.pop_front();
    sink(oldest.output.data(), oldest.output.size());
    result.CompressedSize += static_cast<int64_t>(oldest.output.size());
    result.Crc32 = static_cast<uint32_t>(crc32_combine(result.Crc32, oldest.crc, static_cast<z_off_t>(oldest.dataLength)));
    written += static_cast<int64_t>(oldest.dataLength);
    spare.push_back(&oldest);
    if (progress)
      progress(written, total);
  }
  return result;
}
