// File kinds, identities and permissions from stat, and the process's umask.
#include "platform/Files.h"

#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <fstream>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

const char *const PathSeparators = "/";

namespace {
// What sits at path when it is not a regular file, in words for the message; empty for a regular file.
std::string OtherKind(const struct stat &info, const std::string &path) {
  if (S_ISDIR(info.st_mode))
    return Translated("je to složka");
  if (S_ISFIFO(info.st_mode))
    return Translated("je to roura (FIFO)");
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
    return Translated("je to zařízení");
  if (S_ISSOCK(info.st_mode))
    return Translated("je to soket");
  if (!S_ISREG(info.st_mode))
    return Translated("je to zvláštní soubor");
  struct statfs system {};
  if (::statfs(path.c_str(), &system) == 0 &&
      (system.f_type == PROC_SUPER_MAGIC || system.f_type == SYSFS_MAGIC))
    return Translated("je to soubor systému /proc nebo /sys");
  return "";
}

mode_t ReadUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Umask:", 0) == 0)
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  // Kernels before 4.7 do not show it; this runs before main, while the process has one thread.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

const mode_t processUmask = ReadUmask();

TFileIdentity IdentityFrom(const struct stat &info) {
  return {info.st_dev, info.st_ino, info.st_size, int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}
} // namespace

bool FileExists(const std::string &path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool AnythingAt(const std::string &path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool SystemAcceptsFileName(const std::string &) { return true; }

bool DeleteFile(const std::string &path) { return ::unlink(path.c_str()) == 0; }

bool FolderWritable(const std::string &path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

void RequireRegularFile(const std::string &path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return;
  const std::string kind = OtherKind(info, path);
  if (!kind.empty())
    throw EFOpenError(Substitute(Translated("Soubor \"%s\" nelze otevřít: %s, ne obyčejný soubor."), {path, kind}));
}

void RequireWritable(const std::string &path) {
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
    throw EFCreateError(Substitute(Translated("Soubor \"%s\" nelze přepsat: nemáte právo do něj zapisovat."), {path}));
}

std::optional<TFileIdentity> IdentityOf(const std::string &path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return std::nullopt;
  return IdentityFrom(info);
}

TFileIdentity IdentityOf(int handle) {
  struct stat info {};
  ::fstat(handle, &info);
  return IdentityFrom(info);
}

uint32_t ProcessUmask() { return processUmask; }
