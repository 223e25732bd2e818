// The file locks' steps that are the same on every system: descriptors closed when dropped, unlocked leftovers
// removed, and the waiting lock of a file about to be replaced.
#include "platform/FileLocks.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/RawFiles.h"
#include "platform/TextLanguage.h"

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

TDescriptor::~TDescriptor() {
  if (handle >= 0)
    CloseFile(handle);
}

bool RemoveIfUnlocked(const std::string &path) {
  if (!AnythingAt(path))
    return true;
  // Only a regular file opens here: a link, a folder or a FIFO stays.
  TDescriptor existing{OpenNoFollow(path, TAccess::Read)};
  if (existing.handle < 0 || !TryLockExclusive(existing.handle) || !SameFile(existing.handle, path))
    return false;
  return DeleteFile(path);
}

void RemoveUnlockedMatching(const std::string &folder, const std::function<bool(const std::string &)> &matches) {
  for (const std::string &name : FolderNames(folder))
    if (matches(name))
      RemoveIfUnlocked(folder + "/" + name);
}

namespace {
constexpr auto lockPollInterval = std::chrono::milliseconds(20);
} // namespace

TFileLock::TFileLock(const std::string &path, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    RequireRegularFile(path);
    TDescriptor file{OpenToLock(path)};
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
    CloseFile(handle);
}
