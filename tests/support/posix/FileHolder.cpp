// Another holder of a file's lock through flock on a descriptor of its own.
#include "support/FileHolder.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

struct TFileHolder::TState {
  int handle = -1;
};

TFileHolder::TFileHolder(const std::string &path) : state(std::make_unique<TState>()) {
  state->handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); // not inherited by the tests' child processes
  ::flock(state->handle, LOCK_EX);
}

TFileHolder::~TFileHolder() { Release(); }

void TFileHolder::Release() {
  if (state->handle >= 0)
    ::close(state->handle);
  state->handle = -1;
}

std::error_code RenameOverHeld(const std::string &newVersion, const std::string &path) {
  std::error_code error;
  std::filesystem::rename(newVersion, path, error);
  return error;
}

bool LockedElsewhere(const std::string &path) {
  const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  const bool locked = ::flock(handle, LOCK_EX | LOCK_NB) != 0;
  ::close(handle);
  return locked;
}
