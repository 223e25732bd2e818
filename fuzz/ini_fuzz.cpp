// Fuzz target of the settings reader: parses a config.ini, reads the keys the program uses, writes two keys
// of one section in place and checks that the new text reads back with those values and every other
// setting unchanged.
#include "platform/Exceptions.h"
#include "platform/IniFile.h"

#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {
// The reader takes a path: a file in memory stands in for the disk.
class TMemoryFile {
public:
  explicit TMemoryFile(const std::string &bytes) : handle(::memfd_create("config.ini", MFD_CLOEXEC)) {
    if (handle < 0 || ::write(handle, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
      std::abort();
  }
  ~TMemoryFile() { ::close(handle); }
  TMemoryFile(const TMemoryFile &) = delete;
  TMemoryFile &operator=(const TMemoryFile &) = delete;
  std::string Path() const { return "/proc/self/fd/" + std::to_string(handle); }

private:
  int handle;
};

TIniDocument LoadText(const std::string &text) { return TIniDocument::Load(TMemoryFile(text).Path()); }

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
