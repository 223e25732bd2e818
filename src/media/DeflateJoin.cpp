// Finding the final block of a deflate stream with zlib's block-by-block inflate, which reports where each block
// ends to the bit.
#include "media/DeflateJoin.h"

#include "platform/Exceptions.h"

#include <zlib.h>

#include <array>
#include <climits>

namespace {
constexpr int UnusedBitsMask = 7;
constexpr int InLastBlock = 64;
constexpr int AtBlockBoundary = 128;

class TBlockWalker {
public:
  TBlockWalker() {
    if (inflateInit2(&stream, -15) != Z_OK)
      throw Exception("zlib: inflateInit2 failed");
  }
  ~TBlockWalker() { inflateEnd(&stream); }
  TBlockWalker(const TBlockWalker &) = delete;
  TBlockWalker &operator=(const TBlockWalker &) = delete;

  // The bit where the final block's header starts and the zero bits that pad its end to a byte.
  void Walk(const std::vector<uint8_t> &deflate, uint64_t &finalHeaderBit, int &padding) {
    if (deflate.size() > UINT_MAX)
      throw Exception("deflate: chunk too large");
    stream.next_in = const_cast<Bytef *>(deflate.data());
    stream.avail_in = static_cast<uInt>(deflate.size());
    finalHeaderBit = 0;
    for (;;) {
      // zlib keeps its own window, so what is inflated can be thrown away.
      stream.next_out = scratch.data();
      stream.avail_out = static_cast<uInt>(scratch.size());
      const int result = inflate(&stream, Z_BLOCK);
      if (result != Z_OK)
        throw Exception(std::string("deflate: ") + (stream.msg ? stream.msg : "the stream does not end"));
      if ((stream.data_type & AtBlockBoundary) == 0)
        continue;
      padding = stream.data_type & UnusedBitsMask;
      const uint64_t boundary = uint64_t(stream.total_in) * 8 - uint64_t(padding);
      if ((stream.data_type & InLastBlock) != 0)
        break;
      finalHeaderBit = boundary;
    }
    if (stream.total_in != deflate.size())
      throw Exception("deflate: bytes after the final block");
  }

private:
  z_stream stream{};
  std::array<uint8_t, 1 << 16> scratch{};
};
} // namespace

void OpenDeflateEnd(std::vector<uint8_t> &stream) {
  uint64_t finalHeaderBit = 0;
  int padding = 0;
  TBlockWalker().Walk(stream, finalHeaderBit, padding);
  stream[finalHeaderBit / 8] &= static_cast<uint8_t>(~(1u << (finalHeaderBit % 8)));
  // The empty stored block: three zero header bits right after the end, zeros up to the byte boundary, then its
  // length 0 and the length's complement.
  stream.back() &= static_cast<uint8_t>((1u << (8 - padding)) - 1);
  if (padding < 3)
    stream.push_back(0);
  stream.insert(stream.end(), {0x00, 0x00, 0xFF, 0xFF});
}
