// Whole-file locks between our own processes (flock; LockFileEx on Windows): who holds a file's lock owns the file.
#pragma once

#include <chrono>
#include <functional>
#include <string>

// Owns a raw descriptor for the few steps it is needed (closed when dropped; -1 holds nothing).
struct TDescriptor {
  int handle;
  ~TDescriptor();
};

// Takes the exclusive lock of an open file without waiting; false when another open file holds it.
bool TryLockExclusive(int handle);
// Takes the exclusive lock of an open file, waiting for it as long as another holds it.
void LockExclusive(int handle);
// The name still leads to the file held open (a link at path is not followed): nobody replaced or deleted it.
bool SameFile(int handle, const std::string &path);
// SameFile, with a link at path followed.
bool SameFileFollowingLinks(int handle, const std::string &path);
// Opens the file at path (links followed) to lock it, without waiting on a FIFO; -1 with errno when it cannot.
int OpenToLock(const std::string &path);
// Deletes the file at path when no living process holds its lock; false when one does or it cannot go.
// True as well when nothing is there. Only regular files go: never a link, a folder or anything else.
bool RemoveIfUnlocked(const std::string &path);
// RemoveIfUnlocked for every name in folder that matches; a folder that cannot be read is left alone.
void RemoveUnlockedMatching(const std::string &folder, const std::function<bool(const std::string &name)> &matches);

// An exclusive lock on an existing file, from before it is read until after a new file is renamed over it.
// The lock belongs to the file read, not to its name: after taking it, the name is checked to still lead to
// that file; when someone renamed another file there meanwhile, the lock is taken again on that one.
class TFileLock {
public:
  // Waits up to timeout for the lock of the file at path (links followed). Nothing is locked when no file is
  // there. Throws EFOpenError when the file cannot be opened or is no regular file, and ELockTimeout naming
  // the file when the wait runs out.
  TFileLock(const std::string &path, std::chrono::milliseconds timeout);
  ~TFileLock();
  TFileLock(const TFileLock &) = delete;
  TFileLock &operator=(const TFileLock &) = delete;

  bool Held() const { return handle >= 0; }

private:
  int handle = -1;
};
