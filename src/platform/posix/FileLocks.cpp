// Advisory whole-file locks with flock, and whether a name still leads to the file held open.
#include "platform/FileLocks.h"

#include "platform/RawFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

bool TryLockExclusive(int handle) {
  while (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR)
      return false;
  }
  return true;
}

void LockExclusive(int handle) {
  while (::flock(handle, LOCK_EX) != 0 && errno == EINTR) {
  }
}

int OpenToLock(const std::string &path) { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); }

bool SameFile(int handle, const std::string &path) {
  struct stat held {}, named {};
  return ::fstat(handle, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

bool SameFileFollowingLinks(int handle, const std::string &path) {
  struct stat held {}, named {};
  return ::fstat(handle, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}
