// Deflating through zlib as a zlib stream (window bits 15, memory level 8) whose header and trailer
// the archive leaves out.
#include "media/ZipDeflate.h"

#include "media/ZipHeaders.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {
constexpr std::size_t ZlibTrailerSize = 4;
constexpr std::size_t DeflateOutputChunk = 1 << 20;

[[noreturn]] void ThrowZlibFailure(const z_stream &stream, int result) {
  throw Exception(std::string("zlib: ") + (stream.msg ? stream.msg : zError(result)));
}
} // namespace

TLevelSettings LevelSettings(int level) {
  switch (std::clamp(level, 0, 3)) {
  case 0: return {0, MethodStored, 0, 0};
  case 1: return {1, MethodDeflated, 1, 6};
  case 2: return {2, MethodDeflated, Z_DEFAULT_COMPRESSION, 0};
  default: return {3, MethodDeflated, 9, 2};
  }
}

int LevelHintFromFlags(uint16_t flags) {
  switch (flags & 6) {
  case 0: return -1;
  case 6: return 1;
  default: return 9;
  }
}

TDeflateState::TDeflateState(int zlibLevel) {
  const int result = deflateInit2(&stream, zlibLevel, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
  if (result != Z_OK)
    ThrowZlibFailure(stream, result);
}

TDeflateState::~TDeflateState() { deflateEnd(&stream); }

std::vector<uint8_t> CompressBlock(const void *data, std::size_t size, int zlibLevel) {
  if (size > UINT_MAX)
    throw Exception("zlib: block too large");
  std::vector<uint8_t> buffer((size + size / 10 + 12 + 255) / 256 * 256);
  TDeflateState state(zlibLevel);
  z_stream &z = state.Stream();
  z.next_in = static_cast<Bytef *>(const_cast<void *>(data));
  z.avail_in = static_cast<uInt>(size);
  z.next_out = buffer.data();
  z.avail_out = static_cast<uInt>(buffer.size());
  for (;;) {
    const int result = deflate(&z, Z_FINISH);
    if (result == Z_STREAM_END)
      break;
    if (result != Z_OK && result != Z_BUF_ERROR)
      ThrowZlibFailure(z, result);
    buffer.resize(buffer.size() + 256);
    z.next_out = buffer.data() + z.total_out;
    z.avail_out = 256;
  }
  buffer.resize(z.total_out);
  return buffer;
}

TRawDeflater::TRawDeflater(int zlibLevel, TSink sink)
    : state(zlibLevel), sink(std::move(sink)), output(DeflateOutputChunk) {}

void TRawDeflater::Compress(const uint8_t *data, std::size_t size, bool last) {
  z_stream &z = state.Stream();
  z.next_in = const_cast<Bytef *>(data);
  z.avail_in = static_cast<uInt>(size);
  const int flush = last ? Z_FINISH : Z_NO_FLUSH;
  for (;;) {
    z.next_out = output.data();
    z.avail_out = static_cast<uInt>(output.size());
    const int result = deflate(&z, flush);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
      ThrowZlibFailure(z, result);
    Emit(output.data(), output.size() - z.avail_out);
    if (result == Z_STREAM_END || (!last && z.avail_in == 0 && z.avail_out != 0))
      return;
  }
}

// Drops the first two bytes of the zlib stream and always keeps its latest four back, so that
// what is left when deflate ends is exactly the Adler-32 trailer.
void TRawDeflater::Emit(const uint8_t *data, std::size_t size) {
  const std::size_t skip = std::min(headerLeft, size);
  headerLeft -= skip;
  data += skip;
  size -= skip;
  if (size == 0)
    return;
  if (size >= ZlibTrailerSize) {
    sink(tail, tailLength);
    sink(data, size - ZlibTrailerSize);
    std::memcpy(tail, data + size - ZlibTrailerSize, ZlibTrailerSize);
    tailLength = ZlibTrailerSize;
    return;
  }
  uint8_t joined[2 * ZlibTrailerSize];
  std::memcpy(joined, tail, tailLength);
  std::memcpy(joined + tailLength, data, size);
  const std::size_t total = tailLength + size;
  const std::size_t released = total > ZlibTrailerSize ? total - ZlibTrailerSize : 0;
  sink(joined, released);
  tailLength = total - released;
  std::memcpy(tail, joined + released, tailLength);
}
