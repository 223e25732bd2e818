// The containers opened or saved last, newest first, kept in config.ini's section "RecentFiles".
#include "config/RecentFiles.h"

#include "platform/AppFolder.h"
#include "platform/IntegerText.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace {
const std::string section = "RecentFiles";

std::string FileKey(int n) { return "File" + IntToStr(n); }

// Every key is written, unused ones empty, so that a shorter list leaves nothing of a longer one behind;
// the whole section goes in one replacement of the file.
void Store(const std::vector<std::string> &paths) {
  std::vector<std::pair<std::string, std::string>> values{{"Count", IntToStr(static_cast<int>(paths.size()))}};
  for (int n = 0; n < RecentFilesMaxCount; ++n)
    values.emplace_back(FileKey(n), n < static_cast<int>(paths.size()) ? paths[static_cast<std::size_t>(n)] : "");
  TIniFile(ConfigIniPath()).WriteStrings(section, values);
}
} // namespace

std::vector<std::string> LoadRecentFiles() {
  const TIniDocument ini = TIniDocument::Load(ConfigIniPath());
  const int count = std::clamp(ini.ReadInteger(section, "Count", 0), 0, RecentFilesMaxCount);
  std::vector<std::string> paths;
  for (int n = 0; n < count; ++n) {
    std::string path = ini.ReadString(section, FileKey(n), "");
    if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
      paths.push_back(std::move(path));
  }
  return paths;
}

void RememberRecentFile(const std::string &path) {
  std::vector<std::string> paths = LoadRecentFiles();
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
  paths.insert(paths.begin(), path);
  if (paths.size() > static_cast<std::size_t>(RecentFilesMaxCount))
    paths.resize(RecentFilesMaxCount);
  Store(paths);
}

void ForgetRecentFile(const std::string &path) {
  std::vector<std::string> paths = LoadRecentFiles();
  const auto kept = std::remove(paths.begin(), paths.end(), path);
  if (kept == paths.end())
    return;
  paths.erase(kept, paths.end());
  Store(paths);
}
