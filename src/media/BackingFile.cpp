// The backing file's claim, release and stale-file removal, guarded by flock.
#include "media/BackingFile.h"

#include "platform/Exceptions.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The name still leads to the file we hold open: nobody replaced or deleted it meanwhile.
bool SameFile(int handle, const std::string &path) {
  struct stat held {}, named {};
  return ::fstat(handle, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

bool TryLock(int handle) {
  while (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR)
      return false;
  }
  return true;
}

// Owns a raw descriptor for the few steps before a TFileStream takes over.
struct TDescriptor {
  int handle;
  ~TDescriptor() {
    if (handle >= 0)
      ::close(handle);
  }
};
} // namespace

std::unique_ptr<TBackingFile> TBackingFile::TryClaim(const std::string &path) {
  // A competitor may delete the name between our open and our lock; then the claim starts over.
  for (int attempt = 0; attempt < 16; ++attempt) {
    {
      TDescriptor created{::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600)};
      if (created.handle < 0 && (errno == EISDIR || errno == ELOOP))
        return nullptr; // a folder or a link sits at that name: the caller picks another
      if (created.handle < 0)
        throw EFCreateError(Substitute("Cannot create file \"%s\". %s", {path, std::strerror(errno)}));
    }
    auto stream = std::make_unique<TFileStream>(path, TFileMode::fmOpenReadWrite);
    if (!TryLock(stream->Handle()))
      return nullptr;
    if (!SameFile(stream->Handle(), path))
      continue;
    stream->SetSize(0);
    return std::make_unique<TBackingFile>(path, std::move(stream));
  }
  return nullptr;
}

TBackingFile::TBackingFile(std::string path_, std::unique_ptr<TFileStream> stream_)
    : path(std::move(path_)), stream(std::move(stream_)) {}

TBackingFile::~TBackingFile() {
  if (SameFile(stream->Handle(), path))
    ::unlink(path.c_str());
}

bool BackingNameTaken(const std::string &path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool RemoveStaleBackingFile(const std::string &path) {
  if (!BackingNameTaken(path))
    return true;
  TDescriptor existing{::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
  if (existing.handle < 0 || !TryLock(existing.handle) || !SameFile(existing.handle, path))
    return false;
  return ::unlink(path.c_str()) == 0;
}
