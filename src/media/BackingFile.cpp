// The backing file's claim, release and stale-file removal, guarded by flock.
#include "media/BackingFile.h"

#include "platform/Exceptions.h"
#include "platform/FileLocks.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (!TryLockExclusive(stream->Handle()))
      return nullptr;
    if (!SameFile(stream->Handle(), path))
      continue;
    stream->SetSize(0);
    return std::make_unique<TBackingFile>(path, std::move(stream));
  }
  return nullptr;
}

std::unique_ptr<TBackingFile> TBackingFile::TryAdopt(const std::string &path, dev_t device, ino_t inode,
                                                     int64_t size) {
  TDescriptor opened{::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC)};
  struct stat info {};
  if (opened.handle < 0 || !TryLockExclusive(opened.handle) || !SameFile(opened.handle, path) ||
      ::fstat(opened.handle, &info) != 0 || info.st_dev != device || info.st_ino != inode || info.st_size < size)
    return nullptr;
  auto stream = std::make_unique<TFileStream>(path, opened.handle);
  opened.handle = -1;
  return std::make_unique<TBackingFile>(path, std::move(stream));
}

TBackingFile::TBackingFile(std::string path_, std::unique_ptr<TFileStream> stream_)
    : path(std::move(path_)), stream(std::move(stream_)) {}

TBackingFile::~TBackingFile() {
  if (!keptOnDisk && SameFile(stream->Handle(), path))
    ::unlink(path.c_str());
}

bool BackingNameTaken(const std::string &path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool RemoveStaleBackingFile(const std::string &path) { return RemoveIfUnlocked(path); }
