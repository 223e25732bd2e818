// flock-based locks: taking them without waiting, removing unlocked leftovers, and the waiting file lock.
#include "platform/FileLocks.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/TextLanguage.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

TDescriptor::~TDescriptor() {
  if (handle >= 0)
    ::close(handle);
}

namespace {
bool SameFileFollowingLinks(int handle, const std::string &path) {
  struct stat held {}, named {};
  return ::fstat(handle, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

constexpr auto lockPollInterval = std::chrono::milliseconds(20);
} // namespace

bool TryLockExclusive(int handle) {
  while (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR)
      return false;
  }
  return true;
}

bool SameFile(int handle, const std::string &path) {
  struct stat held {}, named {};
  return ::fstat(handle, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

bool RemoveIfUnlocked(const std::string &path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0)
    return true;
  if (!S_ISREG(info.st_mode))
    return false;
  TDescriptor existing{::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
  if (existing.handle < 0 || !TryLockExclusive(existing.handle) || !SameFile(existing.handle, path))
    return false;
  return ::unlink(path.c_str()) == 0;
}

void RemoveUnlockedMatching(const std::string &folder, const std::function<bool(const std::string &)> &matches) {
  const std::unique_ptr<DIR, int (*)(DIR *)> listing(::opendir(folder.c_str()), ::closedir);
  if (!listing)
    return;
  while (const dirent *entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (matches(name))
      RemoveIfUnlocked(folder + "/" + name);
  }
}

TFileLock::TFileLock(const std::string &path, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    RequireRegularFile(path);
    TDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.handle < 0 && errno == ENOENT)
      return;
    if (file.handle < 0)
      throw EFOpenError(Substitute("Cannot open file \"%s\". %s", {path, std::strerror(errno)}));
    while (!TryLockExclusive(file.handle)) {
      if (std::chrono::steady_clock::now() >= deadline)
        throw ELockTimeout(
            Substitute(Translated("Soubor \"%s\" právě upravuje jiný program; ani po %s s čekání se neuvolnil."),
                       {path, std::to_string(timeout.count() / 1000)}));
      std::this_thread::sleep_for(lockPollInterval);
    }
    if (SameFileFollowingLinks(file.handle, path)) {
      std::swap(handle, file.handle);
      return;
    }
  }
}

TFileLock::~TFileLock() {
  if (handle >= 0)
    ::close(handle);
}
