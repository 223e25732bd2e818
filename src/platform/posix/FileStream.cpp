// File streams on POSIX descriptors.
#include "platform/Streams.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int Whence(TSeekOrigin origin) {
  switch (origin) {
  case TSeekOrigin::soBeginning: return SEEK_SET;
  case TSeekOrigin::soCurrent: return SEEK_CUR;
  case TSeekOrigin::soEnd: return SEEK_END;
  }
  return SEEK_SET;
}
} // namespace

TFileStream::TFileStream(const std::string &name, TFileMode mode) : fileName(name) {
  int flags = O_CLOEXEC;
  switch (mode) {
  case TFileMode::fmOpenRead:
    // A FIFO would block the open and a device could act on it: the kind is checked first, and a file
    // swapped in meanwhile still cannot block (O_NONBLOCK) and is caught by the check after opening.
    RequireRegularFile(name);
    flags |= O_RDONLY | O_NONBLOCK | O_NOCTTY;
    break;
  case TFileMode::fmOpenReadWrite: flags |= O_RDWR; break;
  case TFileMode::fmCreate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
  }
  handle = ::open(name.c_str(), flags, 0666);
  if (handle >= 0) {
    struct stat info {};
    if (::fstat(handle, &info) == 0 && S_ISDIR(info.st_mode)) {
      ::close(handle);
      handle = -1;
      errno = EISDIR;
    } else if (mode == TFileMode::fmOpenRead && !S_ISREG(info.st_mode)) {
      ::close(handle);
      handle = -1;
      RequireRegularFile(name);
      errno = EINVAL;
    }
  }
  if (handle < 0) {
    const std::string reason = std::strerror(errno);
    if (mode == TFileMode::fmCreate)
      throw EFCreateError(Substitute("Cannot create file \"%s\". %s", {name, reason}));
    throw EFOpenError(Substitute("Cannot open file \"%s\". %s", {name, reason}));
  }
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  const off_t result = ::lseek(handle, static_cast<off_t>(offset), Whence(origin));
  if (result < 0)
    throw EStreamError(Substitute("Cannot seek in file \"%s\". %s", {fileName, std::strerror(errno)}));
  return result;
}

int64_t TFileStream::Size() {
  struct stat info {};
  if (::fstat(handle, &info) != 0)
    throw EReadError();
  return info.st_size;
}

void TFileStream::SetSize(int64_t newSize) {
  if (::ftruncate(handle, static_cast<off_t>(newSize)) != 0)
    throw EWriteError(fileName, std::strerror(errno));
}

void TFileStream::Flush() {
  if (::fsync(handle) != 0 && errno != EINVAL)
    throw EWriteError(fileName, std::strerror(errno));
}

