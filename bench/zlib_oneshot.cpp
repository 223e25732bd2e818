// The speed peer of a save: zlib's own one-shot deflate of a whole file held in memory.
// Usage: zlib_oneshot LEVEL INPUT OUTPUT
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

int main(int argc, char *argv[]) {
  if (argc != 4) {
    std::cerr << "usage: zlib_oneshot LEVEL INPUT OUTPUT\n";
    return 2;
  }
  const int level = std::atoi(argv[1]);
  std::ifstream in(argv[2], std::ios::binary | std::ios::ate);
  std::vector<unsigned char> input(in ? static_cast<std::size_t>(in.tellg()) : 0);
  in.seekg(0);
  if (!in || !in.read(reinterpret_cast<char *>(input.data()), static_cast<std::streamsize>(input.size()))) {
    std::cerr << "zlib_oneshot: cannot read " << argv[2] << '\n';
    return 1;
  }

  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return 1;
  std::vector<unsigned char> output(deflateBound(&z, input.size()));
  z.next_in = const_cast<unsigned char *>(input.data());
  z.avail_in = static_cast<uInt>(input.size());
  z.next_out = output.data();
  z.avail_out = static_cast<uInt>(output.size());
  const int result = deflate(&z, Z_FINISH);
  const auto produced = z.total_out;
  deflateEnd(&z);
  if (result != Z_STREAM_END) {
    std::cerr << "zlib_oneshot: deflate failed\n";
    return 1;
  }
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char *>(output.data()), static_cast<std::streamsize>(produced));
  return out ? 0 : 1;
}
