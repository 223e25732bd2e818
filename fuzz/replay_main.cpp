// Runs a fuzz target over saved inputs without a fuzzer: every file of the folders (or the files) named
// on the command line, in name order, so a plain compiler build replays the collected corpus under CTest.
// An input that takes longer than a few seconds ends the run, as a fuzzer's timeout would.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
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

// Ends the process when the input being replayed has taken longer than SecondsPerInput.
class TWatchdog {
public:
  TWatchdog() : thread([this] { Watch(); }) {}
  ~TWatchdog() {
    done = true;
    thread.join();
  }
  void Start() { deadline = Now() + SecondsPerInput * 1000; }
  void Stop() { deadline = 0; }

private:
  using TClock = std::chrono::steady_clock;
  static int64_t Now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now().time_since_epoch()).count();
  }
  void Watch() {
    while (!done) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const int64_t due = deadline;
      if (due != 0 && Now() > due) {
        std::fprintf(stderr, "timeout: the input took longer than %u s\n", SecondsPerInput);
        std::abort();
      }
    }
  }
  std::atomic<int64_t> deadline{0};
  std::atomic<bool> done{false};
  std::thread thread;
};

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
  TWatchdog watchdog;
  for (int i = 1; i < argc; ++i) {
    if (!std::filesystem::exists(argv[i])) {
      std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
      return 2;
    }
    for (const auto &input : InputsOf(argv[i])) {
      // Named first, so that a crash shows which input caused it.
      std::fprintf(stderr, "%s\n", input.string().c_str());
      const std::vector<uint8_t> bytes = ReadAll(input);
      watchdog.Start();
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      watchdog.Stop();
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
