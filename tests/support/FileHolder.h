// Another holder of a file's lock, as a second program would be: its own open file, locked exclusively.
#pragma once

#include <memory>
#include <string>
#include <system_error>

class TFileHolder {
public:
  // Opens path and waits until it holds the file's lock (flock; LockFileEx on Windows).
  explicit TFileHolder(const std::string &path);
  ~TFileHolder();
  TFileHolder(const TFileHolder &) = delete;
  TFileHolder &operator=(const TFileHolder &) = delete;
  // Drops the lock and closes the file.
  void Release();

private:
  struct TState;
  std::unique_ptr<TState> state;
};

// Whether someone else holds path's lock: a lock of our own cannot be taken at once.
bool LockedElsewhere(const std::string &path);

// Puts newVersion at path while path's file is held open (by a holder, or by a program waiting for its lock), as
// an editor finishing its edit does: renames it over the name. Windows renames nothing over an open file, so there
// the held file steps aside first and goes once its last handle closes. The system's error, if any.
std::error_code RenameOverHeld(const std::string &newVersion, const std::string &path);
