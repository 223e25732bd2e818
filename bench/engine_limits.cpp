// What one core can do here: libdeflate's deflate of a file in the save's chunks at each level's libdeflate level,
// and ISA-L's inflate of the result, in processor seconds (steady on a busy machine, where wall time is not);
// bench/compare.sh halves them for the two-core limit of save and verify.
// Usage: engine_limits MEDIA_STREAM   (prints "LEVEL DEFLATE_SECONDS INFLATE_SECONDS" for the levels 1, 2, 3)
#include "media/ParallelDeflate.h"
#include "media/ZipDeflate.h"

#include <isa-l/igzip_lib.h>
#include <libdeflate.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <vector>

namespace {
// The processor time of this single-threaded process.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}
} // namespace

int main(int argc, char *argv[]) {
  if (argc != 2) {
    std::cerr << "usage: engine_limits MEDIA_STREAM\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
  std::vector<uint8_t> input(in ? static_cast<std::size_t>(in.tellg()) : 0);
  in.seekg(0);
  if (!in || !in.read(reinterpret_cast<char *>(input.data()), static_cast<std::streamsize>(input.size()))) {
    std::cerr << "engine_limits: cannot read " << argv[1] << '\n';
    return 1;
  }
  for (int level = 1; level <= 3; ++level) {
    libdeflate_compressor *compressor = libdeflate_alloc_compressor(LevelSettings(level).LibdeflateLevel);
    std::vector<std::vector<uint8_t>> chunks;
    double start = CpuSeconds();
    for (std::size_t at = 0; at < input.size(); at += DeflateChunkSize) {
      const std::size_t length = std::min(DeflateChunkSize, input.size() - at);
      std::vector<uint8_t> out(libdeflate_deflate_compress_bound(compressor, length));
      out.resize(libdeflate_deflate_compress(compressor, input.data() + at, length, out.data(), out.size()));
      chunks.push_back(std::move(out));
    }
    const double deflateSeconds = CpuSeconds() - start;
    libdeflate_free_compressor(compressor);

    std::vector<uint8_t> output(DeflateChunkSize);
    start = CpuSeconds();
    for (std::vector<uint8_t> &chunk : chunks) {
      inflate_state state;
      isal_inflate_init(&state);
      state.next_in = chunk.data();
      state.avail_in = static_cast<uint32_t>(chunk.size());
      state.next_out = output.data();
      state.avail_out = static_cast<uint32_t>(output.size());
      if (isal_inflate(&state) != ISAL_DECOMP_OK) {
        std::cerr << "engine_limits: ISA-L could not inflate a chunk\n";
        return 1;
      }
    }
    std::printf("%d %.3f %.3f\n", level, deflateSeconds, CpuSeconds() - start);
  }
  return 0;
}
