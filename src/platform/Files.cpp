// File services the core needs beyond streams: existence, deletion, size and folder checks.
#include "platform/Files.h"

#include "platform/Streams.h"

#include <sys/stat.h>
#include <unistd.h>

bool FileExists(const std::string &path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DeleteFile(const std::string &path) { return ::unlink(path.c_str()) == 0; }

int64_t FileSize(const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  return file.Size();
}

bool FolderWritable(const std::string &path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string ExtractFileDir(const std::string &path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

std::string ExtractFileName(const std::string &path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
