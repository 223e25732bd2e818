// The check of what the runtime accepts on 1,000 sprites read from a container's backing file, as tvk check and
// the editor's Zkontrolovat run it; prints the time against the target of 2 s.
// Usage: check_bench [COUNT]   (1000 by default)
#include "media/Container.h"
#include "media/EntryCheck.h"
#include "media/MediaDocument.h"
#include "support/PictureFiles.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char *argv[]) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
  char folderName[] = "/tmp/check_bench_XXXXXX";
  if (!mkdtemp(folderName)) {
    std::cerr << "check_bench: no temporary folder\n";
    return 1;
  }
  const std::filesystem::path folder = folderName;
  setenv("TOVRIK_HOME", folderName, 1);
  std::ofstream(folder / "config.ini") << "[ImageFileExts]\nCount=1\nExt0=.BMP\n";
  // A 128 × 64 sheet of eight 32 × 32 frames: a magenta key, a shape, an antialiased edge between them.
  const std::string sheet = PictureFiles::Bmp24(128, 64, [](int x, int y) {
    const int fx = x % 32, fy = y % 32;
    return fx < 6 || fy < 6 ? 0xFF00FFu : fx == 6 ? 0xC000C0u : 0x203040u;
  });
  const std::string container = (folder / "sprites.tvk").string();
  {
    TMediaStream document;
    for (int i = 0; i < count; ++i) {
      const std::filesystem::path file = folder / ("sprite" + std::to_string(i) + ".bmp");
      std::ofstream(file, std::ios::binary) << sheet;
      document.AddFile(file.string(), mkImages);
      auto &entry = dynamic_cast<TImageFileItem &>(*document.List.Items().back());
      entry.PatternWidth = entry.PatternHeight = 32;
      entry.TransparentColor = 0xFF00FF;
    }
    SaveContainer(document, mkImages, container, 1);
  }
  TMediaStream opened;
  LoadContainer(opened, container);
  const auto start = std::chrono::steady_clock::now();
  const std::vector<TFoundProblem> problems = CheckDocument(opened);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::filesystem::remove_all(folder);
  std::cout << "check of " << count << " sprites (128 x 64, 24 bits): " << seconds << " s, target 2 s, ratio "
            << seconds / 2.0 << (seconds <= 2.0 ? " (met)" : " (MISSED)") << "; " << problems.size()
            << " problems found\n";
  return problems.size() == static_cast<std::size_t>(count) ? 0 : 1;
}
