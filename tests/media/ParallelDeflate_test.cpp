// The chunked deflate: one valid raw deflate stream whatever the thread count, the right CRC-32, a size
// close to the one-shot deflate, and a clean stop when the progress callback or the source throws.
#include "ZipTestHelpers.h"

#include "media/CalcCRC.h"
#include "media/ParallelDeflate.h"
#include "media/ZipDeflate.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <stdexcept>

namespace {

struct TDeflated {
  TBytes Bytes;
  TDeflatedStream Result;
};

TDeflated Deflate(const TBytes &data, int zlibLevel, unsigned threads, const TDeflateProgress &progress = {}) {
  TMemoryStream source = StreamOf(data);
  TDeflated deflated;
  deflated.Result = DeflateInChunks(
      source, int64_t(data.size()), zlibLevel,
      [&](const uint8_t *bytes, std::size_t size) { deflated.Bytes.insert(deflated.Bytes.end(), bytes, bytes + size); },
      progress, threads);
  return deflated;
}

// Inflates raw deflate data with zlib and requires the stream to end exactly at the last byte.
TBytes InflateRaw(const TBytes &deflated, std::size_t expectedSize) {
  z_stream z{};
  EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
  TBytes out(expectedSize + 1);
  z.next_in = const_cast<Bytef *>(deflated.data());
  z.avail_in = static_cast<uInt>(deflated.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
  EXPECT_EQ(z.avail_in, 0u);
  out.resize(z.total_out);
  inflateEnd(&z);
  return out;
}

// A source whose reads fail after a number of bytes.
class TFailingStream : public TMemoryStream {
public:
  explicit TFailingStream(int64_t failAt) : failAt(failAt) {}
  int64_t Read(void *buffer, int64_t count) override {
    if (Position() + count > failAt)
      throw EReadError();
    return TMemoryStream::Read(buffer, count);
  }

private:
  int64_t failAt;
};

} // namespace

TEST(ParallelDeflate, EveryThreadCountGivesTheSameValidStream) {
  const TBytes data = MixedData(3 * DeflateChunkSize + 12345, 7);
  const uint32_t crc = UpdateCrc32(0, data.data(), data.size());
  for (int zlibLevel : {1, Z_DEFAULT_COMPRESSION, 9}) {
    const TDeflated single = Deflate(data, zlibLevel, 1);
    EXPECT_EQ(InflateRaw(single.Bytes, data.size()), data) << zlibLevel;
    EXPECT_EQ(single.Result.Crc32, crc);
    EXPECT_EQ(single.Result.CompressedSize, int64_t(single.Bytes.size()));
    for (unsigned threads : {2u, 8u})
      EXPECT_EQ(Deflate(data, zlibLevel, threads).Bytes, single.Bytes) << zlibLevel << "/" << threads;
  }
}

TEST(ParallelDeflate, OneChunkIsTheOneShotDeflateAndLongerStreamsStayClose) {
  for (std::size_t size : {std::size_t(0), std::size_t(100), DeflateChunkSize}) {
    const TBytes data = MixedData(size, 2);
    const std::vector<uint8_t> block = CompressBlock(data.data(), data.size(), Z_DEFAULT_COMPRESSION);
    EXPECT_EQ(Deflate(data, Z_DEFAULT_COMPRESSION, 2).Bytes, TBytes(block.begin() + 2, block.end() - 4)) << size;
  }
  const TBytes data = MixedData(4 * DeflateChunkSize, 4);
  const std::vector<uint8_t> block = CompressBlock(data.data(), data.size(), Z_DEFAULT_COMPRESSION);
  const TDeflated chunked = Deflate(data, Z_DEFAULT_COMPRESSION, 2);
  EXPECT_LE(double(chunked.Bytes.size()), double(block.size() - 6) * 1.005);
}

TEST(ParallelDeflate, ReportsEveryChunkInOrder) {
  const TBytes data = MixedData(3 * DeflateChunkSize + 1, 5);
  std::vector<int64_t> reported;
  Deflate(data, 1, 2, [&](int64_t done, int64_t total) {
    EXPECT_EQ(total, int64_t(data.size()));
    reported.push_back(done);
  });
  const int64_t chunk = int64_t(DeflateChunkSize);
  EXPECT_EQ(reported, (std::vector<int64_t>{chunk, 2 * chunk, 3 * chunk, 3 * chunk + 1}));
}

TEST(ParallelDeflate, AThrowingProgressOrSourceStopsTheWorkers) {
  const TBytes data = MixedData(8 * DeflateChunkSize, 6);
  int calls = 0;
  EXPECT_THROW(Deflate(data, 1, 2,
                       [&](int64_t, int64_t) {
                         if (++calls == 2)
                           throw std::runtime_error("stop");
                       }),
               std::runtime_error);
  EXPECT_EQ(calls, 2);

  TFailingStream failing(int64_t(4 * DeflateChunkSize + 3));
  failing.WriteBuffer(data.data(), int64_t(data.size()));
  failing.SetPosition(0);
  EXPECT_THROW(DeflateInChunks(failing, int64_t(data.size()), 1, [](const uint8_t *, std::size_t) {}, {}, 2),
               EReadError);
}
