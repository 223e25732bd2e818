// Temporary files created under fresh random names and committed with fsync and rename.
#include "platform/TemporaryFile.h"

#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/Files.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <random>
#include <string_view>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// What follows the caller's prefix in every name: a marker no person would type, the writer's process id and
// random letters. Only names of exactly this form are ever cleaned up.
constexpr const char *temporaryMarker = "tvk-tmp-";
constexpr std::size_t randomLength = 6;

bool AllOf(std::string_view text, int (*test)(int)) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

[[noreturn]] void CannotCreate(const std::string &path) {
  throw EFCreateError(Substitute(Translated("Nelze vytvořit soubor \"%s\": %s"), {path, std::strerror(errno)}));
}

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

// Makes the rename itself durable; a folder that cannot be opened or synced is not an error of the save.
void SyncFolder(const std::string &folder) {
  const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle >= 0) {
    ::fsync(handle);
    ::close(handle);
  }
}
} // namespace

TTemporaryFile::TTemporaryFile(const std::string &folder, const std::string &prefix, const std::string &shownName) {
  // The name is registered for the signal handler before the file exists, so that no moment passes in which a
  // signal could leave it behind; O_EXCL makes sure the file created is a new one of our own.
  static thread_local std::mt19937_64 random(std::random_device{}());
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const std::string stem = folder + "/" + prefix + temporaryMarker + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = stem;
    for (std::size_t i = 0; i < randomLength; ++i)
      candidate += letters[random() % (sizeof letters - 1)];
    auto registration = std::make_unique<TRemoveOnSignal>(candidate);
    const int handle = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (handle < 0 && errno == EEXIST)
      continue;
    if (handle < 0)
      CannotCreate(shownName.empty() ? candidate : shownName);
    TryLockExclusive(handle); // a new file nobody else has open: the lock is free
    path = candidate;
    stream = std::make_unique<TFileStream>(path, handle);
    removeOnSignal = std::move(registration);
    return;
  }
  errno = EEXIST;
  CannotCreate(shownName.empty() ? stem + "XXXXXX" : shownName);
}

TTemporaryFile::~TTemporaryFile() {
  if (!committed)
    ::unlink(path.c_str()); // before closing: while the lock is held, nobody else may take the name's file
  stream.reset();
}

void TTemporaryFile::CommitAs(const std::string &target, bool replace) {
  TakeOverAttributes(stream->Handle(), target);
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

bool IsTemporaryFileName(const std::string &name, const std::string &prefix) {
  const std::string_view marker(temporaryMarker);
  std::string_view rest(name);
  if (!rest.starts_with(prefix) || !rest.substr(prefix.size()).starts_with(marker))
    return false;
  rest.remove_prefix(prefix.size() + marker.size());
  const auto dash = rest.find('-');
  return dash != std::string_view::npos && dash > 0 && AllOf(rest.substr(0, dash), ::isdigit) &&
         rest.size() - dash - 1 == randomLength && AllOf(rest.substr(dash + 1), ::isalnum);
}

void RemoveAbandonedTemporaryFiles(const std::string &folder, const std::string &prefix) {
  RemoveUnlockedMatching(folder, [&](const std::string &name) { return IsTemporaryFileName(name, prefix); });
}
