// Deflating through zlib as a zlib stream (window bits 15, memory level 8) whose header and trailer
// the archive leaves out.
#include "media/ZipDeflate.h"

#include "media/ZipHeaders.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <climits>

namespace {
[[noreturn]] void ThrowZlibFailure(const z_stream &stream, int result) {
  throw Exception(std::string("zlib: ") + (stream.msg ? stream.msg : zError(result)));
}
} // namespace

TLevelSettings LevelSettings(int level) {
  switch (std::clamp(level, 0, 3)) {
  case 0: return {0, MethodStored, 0, 0, 0};
  case 1: return {1, MethodDeflated, 1, 2, 6};
  case 2: return {2, MethodDeflated, Z_DEFAULT_COMPRESSION, 6, 0};
  default: return {3, MethodDeflated, 9, 7, 2};
  }
}

int LevelHintFromFlags(uint16_t flags) {
  switch (flags & 6) {
  case 0: return -1;
  case 6: return 1;
  default: return 9;
  }
}

TDeflateState::TDeflateState(int zlibLevel, int windowBits) {
  const int result = deflateInit2(&stream, zlibLevel, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
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
