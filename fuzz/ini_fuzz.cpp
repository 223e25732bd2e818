// Fuzz target of the settings reader: parses a config.ini, reads the keys the program uses, writes one in
// place and checks that the written text reads back with that value and nothing else lost its line count.
#include "platform/Exceptions.h"
#include "platform/IniFile.h"

#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

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

void ReadTheProgramsKeys(const TIniDocument &ini) {
  ini.ReadInteger("Zip", "CompressionLevel", 2);
  const int count = ini.ReadInteger("ImageFileExts", "Count", 0);
  for (int i = 0; i < count && i < 64; ++i)
    ini.ReadString("ImageFileExts", "Ext" + std::to_string(i), "");
  ini.ReadString("Language", "Id", "");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  TIniDocument ini = LoadText(text);
  ReadTheProgramsKeys(ini);

  const std::string before = ini.ReadString("Other", "Kept", "<none>");
  ini.WriteString("Zip", "CompressionLevel", "3");
  ini.WriteString("Zip", "Comment", "  spaced = value ; not a comment");
  const TIniDocument again = LoadText(ini.Text());
  if (again.ReadInteger("Zip", "CompressionLevel", -1) != 3)
    std::abort(); // the value just written does not read back
  if (again.ReadString("Other", "Kept", "<none>") != before)
    std::abort(); // writing one section changed another
  if (again.Text() != ini.Text())
    std::abort(); // the written text does not survive a second read
  return 0;
}
