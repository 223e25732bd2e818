// Fuzz target of the settings reader: parses a config.ini, reads the keys the program uses, writes two keys
// of one section in place and checks that the new text reads back with those values and every other
// setting unchanged.
#include "platform/Exceptions.h"
#include "platform/IniFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {
// The reader takes a path: each input goes through a scratch file of this process in the temporary folder.
class TScratchFile {
public:
  explicit TScratchFile(const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush())
      std::abort();
  }
  ~TScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  TScratchFile(const TScratchFile &) = delete;
  TScratchFile &operator=(const TScratchFile &) = delete;
  std::string Path() const { return path.string(); }

private:
  static std::filesystem::path UniquePath() {
    return std::filesystem::temp_directory_path() / ("ini-fuzz-" + std::to_string(std::random_device()()) + ".ini");
  }
  inline static const std::filesystem::path path = UniquePath();
};

TIniDocument LoadText(const std::string &text) { return TIniDocument::Load(TScratchFile(text).Path()); }

// The settings outside [Zip] that the program reads.
std::vector<std::string> OtherSettings(const TIniDocument &ini) {
  std::vector<std::string> values;
  for (const char *section : {"ImageFileExts", "SoundFileExts"}) {
    const int count = ini.ReadInteger(section, "Count", 0);
    values.push_back(std::to_string(count));
    for (int i = 0; i < count && i < 64; ++i)
      values.push_back(ini.ReadString(section, "Ext" + std::to_string(i), "<none>"));
  }
  values.push_back(ini.ReadString("Language", "Id", "<none>"));
  values.push_back(ini.ReadString("Other", "Kept", "<none>"));
  return values;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  TIniDocument ini = LoadText(text);
  ini.ReadInteger("Zip", "CompressionLevel", 2);
  const std::vector<std::string> before = OtherSettings(ini);

  ini.WriteString("Zip", "CompressionLevel", "3");
  ini.WriteString("Zip", "Note", "a = b ; c");
  const TIniDocument again = LoadText(ini.Text());
  if (again.ReadInteger("Zip", "CompressionLevel", -1) != 3 || again.ReadString("Zip", "Note", "") != "a = b ; c")
    std::abort(); // a value just written does not read back
  if (OtherSettings(again) != before)
    std::abort(); // writing one section changed another
  return 0;
}
