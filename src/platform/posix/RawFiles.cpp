// Descriptor-level file steps with open, pread, pwrite, flock and rename.
#include "platform/RawFiles.h"

#include "platform/Files.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

int OpenNoFollow(const std::string &path, TAccess access) {
  const int handle = ::open(path.c_str(), (access == TAccess::Read ? O_RDONLY : O_RDWR) | O_NOFOLLOW | O_NONBLOCK |
                                              O_CLOEXEC);
  struct stat info {};
  if (handle >= 0 && (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(handle);
    errno = EINVAL;
    return -1;
  }
  return handle;
}

int OpenOrCreateNoFollow(const std::string &path, bool &notAFile) {
  const int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  notAFile = handle < 0 && (errno == EISDIR || errno == ELOOP);
  return handle;
}

int CreateNew(const std::string &path, bool &nameTaken) {
  const int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  nameTaken = handle < 0 && errno == EEXIST;
  return handle;
}

void CloseFile(int handle) { ::close(handle); }

int64_t ReadSome(int handle, void *buffer, int64_t count) {
  for (;;) {
    const ssize_t n = ::read(handle, buffer, static_cast<std::size_t>(count));
    if (n >= 0 || errno != EINTR)
      return n;
  }
}

int64_t WriteSome(int handle, const void *buffer, int64_t count) {
  for (;;) {
    const ssize_t n = ::write(handle, buffer, static_cast<std::size_t>(count));
    if (n >= 0 || errno != EINTR)
      return n;
  }
}

int64_t ReadAt(int handle, void *buffer, int64_t count, int64_t offset) {
  auto *target = static_cast<char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(handle, target + done, static_cast<std::size_t>(count - done), offset + done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      return -1;
    if (n == 0)
      break;
    done += n;
  }
  return done;
}

bool WriteAllAt(int handle, const void *buffer, int64_t count, int64_t offset) {
  const auto *source = static_cast<const char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::pwrite(handle, source + done, static_cast<std::size_t>(count - done), offset + done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      if (n == 0)
        errno = ENOSPC;
      return false;
    }
    done += n;
  }
  return true;
}

bool Truncate(int handle, int64_t size) { return ::ftruncate(handle, size) == 0; }

bool SyncData(int handle) { return ::fdatasync(handle) == 0; }

void SyncFolder(const std::string &folder) {
  const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle >= 0) {
    ::fsync(handle);
    ::close(handle);
  }
}

std::vector<std::string> FolderNames(const std::string &folder) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR *)> listing(::opendir(folder.c_str()), ::closedir);
  if (!listing)
    return names;
  while (const dirent *entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  return names;
}

int ProcessId() { return static_cast<int>(::getpid()); }

namespace {
// The file taking target's place keeps its owner, group and permissions where this process may set them (the
// owner only for root, the group for one the user belongs to); a new file gets the usual permissions.
void TakeOverAttributes(int handle, const std::string &target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) != 0) {
    ::fchmod(handle, 0666 & ~ProcessUmask());
    return;
  }
  if (::fchown(handle, existing.st_uid, existing.st_gid) != 0)
    (void)!::fchown(handle, static_cast<uid_t>(-1), existing.st_gid);
  ::fchmod(handle, existing.st_mode & 07777);
}
} // namespace

bool MoveIntoPlace(int handle, const std::string &path, const std::string &target, bool replace) {
  TakeOverAttributes(handle, target);
  const int renamed = replace ? std::rename(path.c_str(), target.c_str())
                              : ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
  return renamed == 0;
}
