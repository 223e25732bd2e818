// The file services that are the same on every system: sizes, the parts of a path, UTF-8 paths.
#include "platform/Files.h"

#include "platform/Streams.h"

int64_t FileSize(const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  return file.Size();
}

std::string ExtractFileDir(const std::string &path) {
  const auto slash = path.find_last_of(PathSeparators);
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return path.substr(0, 1);
  return path.substr(0, slash);
}

std::string ExtractFileName(const std::string &path) {
  const auto slash = path.find_last_of(PathSeparators);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::filesystem::path FilePath(const std::string &path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string PathText(const std::filesystem::path &path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
