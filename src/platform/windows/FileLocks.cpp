// Whole-file locks with LockFileEx, and whether a name still leads to the file held open.
#include "platform/FileLocks.h"

#include "Win32.h"

#include <cerrno>

namespace {
// Windows locks byte ranges, and a locked range cannot be read through another handle: the lock is one byte far
// beyond any real file's end, so readers of the data are never stopped, only other lockers.
OVERLAPPED LockedByte() {
  OVERLAPPED position{};
  position.Offset = 0xFFFFFFFE;
  position.OffsetHigh = 0x7FFFFFFF;
  return position;
}

bool LockWith(int handle, DWORD flags) {
  OVERLAPPED position = LockedByte();
  return LockFileEx(SystemHandle(handle), LOCKFILE_EXCLUSIVE_LOCK | flags, 0, 1, 0, &position) != 0;
}

bool SameIdentity(int handle, const std::string &path, DWORD flags) {
  BY_HANDLE_FILE_INFORMATION held{}, named{};
  const HANDLE other = OpenShared(path, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags);
  const bool known = HandleInformation(SystemHandle(handle), held) && HandleInformation(other, named);
  if (other != INVALID_HANDLE_VALUE)
    CloseHandle(other);
  return known && held.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
         held.nFileIndexHigh == named.nFileIndexHigh && held.nFileIndexLow == named.nFileIndexLow;
}
} // namespace

bool TryLockExclusive(int handle) { return LockWith(handle, LOCKFILE_FAIL_IMMEDIATELY); }

void LockExclusive(int handle) { LockWith(handle, 0); }

int OpenToLock(const std::string &path) { return DescriptorOf(OpenShared(path, GENERIC_READ, OPEN_EXISTING)); }

bool SameFile(int handle, const std::string &path) {
  return SameIdentity(handle, path, FILE_FLAG_OPEN_REPARSE_POINT);
}

bool SameFileFollowingLinks(int handle, const std::string &path) { return SameIdentity(handle, path, 0); }
