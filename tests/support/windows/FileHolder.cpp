// Another holder of a file's lock through LockFileEx on a handle of its own; the file may still be read, written,
// renamed or replaced by others, as an editor's open file may.
#include "support/FileHolder.h"
#include "support/windows/WideText.h"

namespace {
HANDLE OpenShared(const std::string &path) {
  return ::CreateFileW(WideText(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Locks the whole file (all of a 64-bit range), waiting unless flags say otherwise.
bool LockWhole(HANDLE handle, DWORD flags) {
  OVERLAPPED from{};
  return ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | flags, 0, MAXDWORD, MAXDWORD, &from) != 0;
}
} // namespace

struct TFileHolder::TState {
  HANDLE handle = INVALID_HANDLE_VALUE;
};

TFileHolder::TFileHolder(const std::string &path) : state(std::make_unique<TState>()) {
  state->handle = OpenShared(path);
  if (state->handle != INVALID_HANDLE_VALUE)
    LockWhole(state->handle, 0);
}

TFileHolder::~TFileHolder() { Release(); }

void TFileHolder::Release() {
  if (state->handle != INVALID_HANDLE_VALUE)
    ::CloseHandle(state->handle); // closing drops the lock
  state->handle = INVALID_HANDLE_VALUE;
}

std::error_code RenameOverHeld(const std::string &newVersion, const std::string &path) {
  const std::wstring target = WideText(path), aside = WideText(path + ".held-aside");
  if (!::MoveFileExW(target.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) ||
      !::MoveFileExW(WideText(newVersion).c_str(), target.c_str(), 0))
    return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
  ::DeleteFileW(aside.c_str()); // gone once the holders close it
  return {};
}

bool LockedElsewhere(const std::string &path) {
  const HANDLE handle = OpenShared(path);
  if (handle == INVALID_HANDLE_VALUE)
    return false;
  const bool locked = !LockWhole(handle, LOCKFILE_FAIL_IMMEDIATELY);
  ::CloseHandle(handle);
  return locked;
}
