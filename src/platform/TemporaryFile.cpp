// Temporary files created with mkstemp and committed with fsync and rename.
#include "platform/TemporaryFile.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
[[noreturn]] void CannotCreate(const std::string &path) {
  throw EFCreateError(Substitute("Cannot create file \"%s\". %s", {path, std::strerror(errno)}));
}

// The permissions of the file being replaced, or those a newly created file gets.
mode_t ModeFor(const std::string &target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0)
    return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Makes the rename itself durable; a folder that cannot be opened or synced is not an error of the save.
void SyncFolder(const std::string &folder) {
  const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle >= 0) {
    ::fsync(handle);
    ::close(handle);
  }
}
} // namespace

TTemporaryFile::TTemporaryFile(const std::string &folder, const std::string &prefix) {
  std::string pattern = folder + "/" + prefix + "XXXXXX";
  const int handle = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (handle < 0)
    CannotCreate(pattern);
  ::close(handle);
  path = pattern;
  try {
    stream = std::make_unique<TFileStream>(path, TFileMode::fmOpenReadWrite);
  } catch (...) {
    ::unlink(path.c_str());
    throw;
  }
}

TTemporaryFile::~TTemporaryFile() {
  stream.reset();
  if (!committed)
    ::unlink(path.c_str());
}

void TTemporaryFile::CommitAs(const std::string &target, bool replace) {
  ::fchmod(stream->Handle(), ModeFor(target));
  stream->Flush();
  stream.reset();
  const int renamed = replace ? std::rename(path.c_str(), target.c_str())
                              : ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
  if (renamed != 0)
    CannotCreate(target);
  committed = true;
  SyncFolder(ExtractFileDir(target));
}
