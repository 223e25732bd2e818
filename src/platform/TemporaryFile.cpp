// Temporary files created under fresh random names and committed with a flush to the disk and an atomic rename.
#include "platform/TemporaryFile.h"

#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/Files.h"
#include "platform/RawFiles.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <random>
#include <string_view>
#include <cstdio>
#include <cstring>

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
} // namespace

TTemporaryFile::TTemporaryFile(const std::string &folder, const std::string &prefix, const std::string &shownName) {
  // The name is registered for the signal handler before the file exists, so that no moment passes in which a
  // signal could leave it behind; creating only a new name makes sure the file created is a new one of our own.
  static thread_local std::mt19937_64 random(std::random_device{}());
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const std::string stem = folder + "/" + prefix + temporaryMarker + std::to_string(ProcessId()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = stem;
    for (std::size_t i = 0; i < randomLength; ++i)
      candidate += letters[random() % (sizeof letters - 1)];
    auto registration = std::make_unique<TRemoveOnSignal>(candidate);
    bool nameTaken = false;
    const int handle = CreateNew(candidate, nameTaken);
    if (nameTaken)
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
    DeleteFile(path); // before closing: while the lock is held, nobody else may take the name's file
  stream.reset();
}

void TTemporaryFile::CommitAs(const std::string &target, bool replace) {
  stream->Flush();
  if (!MoveIntoPlace(stream->Handle(), path, target, replace))
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
