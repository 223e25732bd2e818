// Runs a fuzz target over saved inputs without a fuzzer: every file of the folders (or the files) named
// on the command line, in name order, so a plain compiler build replays the collected corpus under CTest.
// An input that takes longer than a few seconds ends the run, as a fuzzer's timeout would.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace {
// Every saved input runs in milliseconds; this much means the reader is stuck.
constexpr unsigned SecondsPerInput = 10;

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path &path) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(path)) {
    for (const auto &entry : std::filesystem::recursive_directory_iterator(path))
      if (entry.is_regular_file())
        inputs.push_back(entry.path());
  } else {
    inputs.push_back(path);
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::vector<uint8_t> ReadAll(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s folder-or-file...\n", argv[0]);
    return 2;
  }
  if (LLVMFuzzerInitialize)
    LLVMFuzzerInitialize(&argc, &argv);
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::filesystem::exists(argv[i])) {
      std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
      return 2;
    }
    for (const auto &input : InputsOf(argv[i])) {
      // Named first, so that a crash shows which input caused it.
      std::fprintf(stderr, "%s\n", input.c_str());
      const std::vector<uint8_t> bytes = ReadAll(input);
      ::alarm(SecondsPerInput); // the default action of SIGALRM ends the process
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ::alarm(0);
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 2;
  }
  std::printf("%zu inputs replayed\n", replayed);
  return 0;
}
