// Temporary files created under fresh random names and committed with fsync and rename.
#include "platform/TemporaryFile.h"

#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/Files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <random>
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
  return 0666 & ~ProcessUmask();
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
  // The name is registered for the signal handler before the file exists, so that no moment passes in which a
  // signal could leave it behind; O_EXCL makes sure the file created is a new one of our own.
  static thread_local std::mt19937_64 random(std::random_device{}());
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = folder + "/" + prefix;
    for (int i = 0; i < 6; ++i)
      candidate += letters[random() % (sizeof letters - 1)];
    auto registration = std::make_unique<TRemoveOnSignal>(candidate);
    const int handle = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (handle < 0 && errno == EEXIST)
      continue;
    if (handle < 0)
      CannotCreate(candidate);
    TryLockExclusive(handle); // a new file nobody else has open: the lock is free
    path = candidate;
    stream = std::make_unique<TFileStream>(path, handle);
    removeOnSignal = std::move(registration);
    return;
  }
  errno = EEXIST;
  CannotCreate(folder + "/" + prefix + "XXXXXX");
}

TTemporaryFile::~TTemporaryFile() {
  if (!committed)
    ::unlink(path.c_str()); // before closing: while the lock is held, nobody else may take the name's file
  stream.reset();
}

void TTemporaryFile::CommitAs(const std::string &target, bool replace) {
  ::fchmod(stream->Handle(), ModeFor(target));
  stream->Flush();
  const int renamed = replace ? std::rename(path.c_str(), target.c_str())
                              : ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
  if (renamed != 0)
    CannotCreate(target);
  committed = true;
  removeOnSignal.reset();
  stream.reset();
  SyncFolder(ExtractFileDir(target));
}

void RemoveAbandonedTemporaryFiles(const std::string &folder, const std::string &prefix) {
  constexpr std::size_t randomLength = 6;
  RemoveUnlockedMatching(folder, [&](const std::string &name) {
    return name.size() == prefix.size() + randomLength && name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
  });
}
