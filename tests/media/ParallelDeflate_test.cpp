// The chunked deflate: one valid raw deflate stream whatever the thread count and wherever the chunks end, the
// right CRC-32, and a clean stop when the progress callback or the source throws.
#include "ZipTestHelpers.h"

#include "media/CalcCRC.h"
#include "media/DeflateJoin.h"
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

TDeflated Deflate(const TBytes &data, int level, unsigned threads, const TDeflateProgress &progress = {}) {
  TMemoryStream source = StreamOf(data);
  TDeflated deflated;
  deflated.Result = DeflateInChunks(
      source, int64_t(data.size()), level,
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

// Reads as the game runtime does: zlib inflate fed a two-byte zlib header, then the raw data in 64 KiB pieces,
// until size bytes have come out (it never looks for the end of the data).
TBytes RuntimeRead(const TBytes &deflated, uint8_t headerHint, std::size_t size) {
  z_stream z{};
  EXPECT_EQ(inflateInit(&z), Z_OK);
  uint8_t header[2] = {0x78, headerHint};
  TBytes out(size);
  z.next_in = header;
  z.avail_in = 2;
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(size);
  std::size_t fed = 0;
  while (z.avail_out > 0) {
    if (z.avail_in == 0) {
      const std::size_t piece = std::min<std::size_t>(65536, deflated.size() - fed);
      if (piece == 0)
        break;
      z.next_in = const_cast<Bytef *>(deflated.data() + fed);
      z.avail_in = static_cast<uInt>(piece);
      fed += piece;
    }
    const int result = inflate(&z, Z_NO_FLUSH);
    if (result != Z_OK)
      break;
  }
  out.resize(size - z.avail_out);
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
  const TBytes data = ChunkwiseMixedData(4 * DeflateChunkSize + 12345, 7);
  const uint32_t crc = UpdateCrc32(0, data.data(), data.size());
  for (int level = 1; level <= 3; ++level) {
    const TDeflated single = Deflate(data, level, 1);
    EXPECT_EQ(InflateRaw(single.Bytes, data.size()), data) << level;
    EXPECT_EQ(single.Result.Crc32, crc);
    EXPECT_EQ(single.Result.CompressedSize, int64_t(single.Bytes.size()));
    for (unsigned threads : {2u, 8u})
      EXPECT_EQ(Deflate(data, level, threads).Bytes, single.Bytes) << level << "/" << threads;
    // No larger than zlib's one-shot deflate (without its header and trailer) at the matching level.
    const std::size_t oneShot = CompressBlock(data.data(), data.size(), LevelSettings(level).ZlibLevel).size() - 6;
    EXPECT_LE(single.Bytes.size(), oneShot) << level;
  }
}

// Every size around the chunk boundaries inflates through the game runtime's reading and ours, to the right CRC.
TEST(ParallelDeflate, ChunkBoundariesInflateThroughTheRuntimesReading) {
  const std::size_t chunk = DeflateChunkSize;
  for (std::size_t size : {std::size_t(0), std::size_t(1), chunk - 1, chunk, chunk + 1, 2 * chunk, 2 * chunk + 1}) {
    const TBytes data = ChunkwiseMixedData(size, static_cast<uint32_t>(size) + 9);
    for (int level = 1; level <= 3; ++level) {
      const TDeflated deflated = Deflate(data, level, 2);
      const uint8_t hint = LevelHintFromFlags(LevelSettings(level).Flags) == 9 ? 0xDA : 0x01;
      EXPECT_EQ(RuntimeRead(deflated.Bytes, hint, size), data) << size << "/" << level;
      EXPECT_EQ(InflateRaw(deflated.Bytes, size), data) << size << "/" << level;
      EXPECT_EQ(deflated.Result.Crc32, UpdateCrc32(0, data.data(), size)) << size << "/" << level;
    }
  }
}

// Whole deflate streams of every ending (stored, fixed or dynamic final block, any padding) joined in a row.
TEST(ParallelDeflate, OpenedEndsLetTheNextStreamFollow) {
  TBytes joined, expected;
  for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(2), std::size_t(5), std::size_t(300),
                           std::size_t(4097), std::size_t(70000)}) {
    for (int zlibLevel : {0, 1, 9}) {
      const TBytes data = MixedData(size, static_cast<uint32_t>(size * 7 + zlibLevel));
      const std::vector<uint8_t> block = CompressBlock(data.data(), data.size(), zlibLevel);
      std::vector<uint8_t> raw(block.begin() + 2, block.end() - 4);
      OpenDeflateEnd(raw);
      joined.insert(joined.end(), raw.begin(), raw.end());
      expected.insert(expected.end(), data.begin(), data.end());
    }
  }
  const std::vector<uint8_t> last = CompressBlock("end", 3, 6);
  joined.insert(joined.end(), last.begin() + 2, last.end() - 4);
  expected.insert(expected.end(), {'e', 'n', 'd'});
  EXPECT_EQ(InflateRaw(joined, expected.size()), expected);

  std::vector<uint8_t> cut(last.begin() + 2, last.end() - 5);
  EXPECT_THROW(OpenDeflateEnd(cut), Exception);
  std::vector<uint8_t> trailing(last.begin() + 2, last.end() - 3);
  EXPECT_THROW(OpenDeflateEnd(trailing), Exception);
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
