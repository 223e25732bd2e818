// The chunked deflate: the calling thread reads chunks and writes results in order, worker threads
// deflate and checksum them, and the CRC-32 of the whole is combined from the chunks' CRCs.
#include "media/ParallelDeflate.h"

#include "media/DeflateChunk.h"

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

// Threads that deflate submitted chunks; without threads, Submit deflates on the calling thread.
// Dropping the pool stops the threads after the chunk each is busy with.
class TDeflatePool {
public:
  TDeflatePool(int level, unsigned threadCount) : level(level) {
    if (threadCount == 0)
      inlineDeflater = NewChunkDeflater(level);
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

  void Submit(TDeflateChunk &chunk) {
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
  void Await(TDeflateChunk &chunk) {
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
      deflater = NewChunkDeflater(level);
    } catch (...) {
      setupFailure = std::current_exception();
    }
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
      workReady.wait(guard, [this] { return stopping || !pending.empty(); });
      if (stopping)
        return;
      TDeflateChunk &chunk = *pending.front();
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

  int level;
  std::unique_ptr<TChunkDeflater> inlineDeflater;
  std::mutex lock;
  std::condition_variable workReady;
  std::condition_variable chunkDone;
  std::deque<TDeflateChunk *> pending;
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

TDeflatedStream DeflateInChunks(TStream &source, int64_t total, int level, const TDeflateSink &sink,
                                const TDeflateProgress &progress, unsigned threads) {
  const unsigned threadCount = ThreadsFor(total, threads);
  // Two chunks per thread keep every thread busy while the oldest one is written out.
  const std::size_t inFlightLimit = std::max<std::size_t>(2, 2 * std::size_t(threadCount));
  std::vector<std::unique_ptr<TDeflateChunk>> chunks;
  std::deque<TDeflateChunk *> inFlight;
  std::vector<TDeflateChunk *> spare;
  std::vector<uint8_t> dictionary;
  TDeflatedStream result;
  int64_t read = 0, written = 0;
  bool first = true;

  const std::size_t dictionarySize = ChunkDictionarySize();
  TDeflatePool pool(level, threadCount);
  while (first || read < total || !inFlight.empty()) {
    while ((first || read < total) && inFlight.size() < inFlightLimit) {
      first = false;
      if (spare.empty()) {
        chunks.push_back(std::make_unique<TDeflateChunk>());
        spare.push_back(chunks.back().get());
      }
      TDeflateChunk &chunk = *spare.back();
      spare.pop_back();
      chunk.dataLength = static_cast<std::size_t>(std::min<int64_t>(total - read, int64_t(DeflateChunkSize)));
      chunk.dictionaryLength = dictionary.size();
      chunk.input.resize(chunk.dictionaryLength + chunk.dataLength);
      std::copy(dictionary.begin(), dictionary.end(), chunk.input.begin());
      source.ReadBuffer(chunk.input.data() + chunk.dictionaryLength, static_cast<int64_t>(chunk.dataLength));
      read += static_cast<int64_t>(chunk.dataLength);
      chunk.last = read == total;
      const std::size_t kept = std::min(chunk.input.size(), dictionarySize);
      dictionary.assign(chunk.input.end() - static_cast<std::ptrdiff_t>(kept), chunk.input.end());
      pool.Submit(chunk);
      inFlight.push_back(&chunk);
    }
    TDeflateChunk &oldest = *inFlight.front();
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
