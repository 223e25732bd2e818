// Descriptor-level file steps with CreateFileW, positioned ReadFile and WriteFile, and MoveFileExW.
#include "platform/RawFiles.h"

#include "Win32.h"
#include "platform/Files.h"

#include <cerrno>
#include <io.h>

namespace {
// A handle that is a regular file, not a link, a folder or a device; closed otherwise, with errno set.
int RegularFileDescriptor(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE)
    return FailWithLastError();
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !HandleInformation(handle, information) ||
      (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))) {
    CloseHandle(handle);
    errno = EINVAL;
    return -1;
  }
  return DescriptorOf(handle);
}

DWORD Access(TAccess access) { return access == TAccess::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE; }

OVERLAPPED At(int64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(offset);
  position.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  return position;
}

constexpr int64_t largestStep = 1 << 30;

bool Failed() {
  FailWithLastError();
  return false;
}
} // namespace

int OpenNoFollow(const std::string &path, TAccess access) {
  return RegularFileDescriptor(OpenShared(path, Access(access), OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT));
}

int OpenOrCreateNoFollow(const std::string &path, bool &notAFile) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  notAFile = attributes != INVALID_FILE_ATTRIBUTES &&
             (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  if (notAFile) {
    errno = EISDIR;
    return -1;
  }
  return RegularFileDescriptor(
      OpenShared(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT));
}

int CreateNew(const std::string &path, bool &nameTaken) {
  const HANDLE handle = OpenShared(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  const DWORD error = GetLastError();
  nameTaken = handle == INVALID_HANDLE_VALUE &&
              (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || AnythingAt(path));
  SetLastError(error);
  return DescriptorOf(handle);
}

void CloseFile(int handle) { _close(handle); }

int64_t ReadSome(int handle, void *buffer, int64_t count) {
  DWORD read = 0;
  if (!ReadFile(SystemHandle(handle), buffer, static_cast<DWORD>(std::min(count, largestStep)), &read, nullptr))
    return FailWithLastError();
  return read;
}

int64_t WriteSome(int handle, const void *buffer, int64_t count) {
  DWORD written = 0;
  if (!WriteFile(SystemHandle(handle), buffer, static_cast<DWORD>(std::min(count, largestStep)), &written, nullptr))
    return FailWithLastError();
  return written;
}

int64_t ReadAt(int handle, void *buffer, int64_t count, int64_t offset) {
  auto *target = static_cast<char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    OVERLAPPED position = At(offset + done);
    DWORD read = 0;
    if (!ReadFile(SystemHandle(handle), target + done, static_cast<DWORD>(std::min(count - done, largestStep)), &read,
                  &position)) {
      if (GetLastError() == ERROR_HANDLE_EOF)
        break;
      return FailWithLastError();
    }
    if (read == 0)
      break;
    done += read;
  }
  return done;
}

bool WriteAllAt(int handle, const void *buffer, int64_t count, int64_t offset) {
  const auto *source = static_cast<const char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    OVERLAPPED position = At(offset + done);
    DWORD written = 0;
    if (!WriteFile(SystemHandle(handle), source + done, static_cast<DWORD>(std::min(count - done, largestStep)),
                   &written, &position))
      return Failed();
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    done += written;
  }
  return true;
}

bool Truncate(int handle, int64_t size) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = size;
  if (!SetFileInformationByHandle(SystemHandle(handle), FileEndOfFileInfo, &end, sizeof end))
    return Failed();
  return true;
}

bool SyncData(int handle) {
  if (!FlushFileBuffers(SystemHandle(handle)))
    return Failed();
  return true;
}

// NTFS journals its folders itself, and MoveIntoPlace writes through: nothing is left to flush.
void SyncFolder(const std::string &) {}

std::vector<std::string> FolderNames(const std::string &folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  do {
    const std::string name = Narrow(found.cFileName);
    if (name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

int ProcessId() { return static_cast<int>(GetCurrentProcessId()); }

namespace {
bool Rename(const std::wstring &from, const std::wstring &to, DWORD flags) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH | flags) != 0;
}
} // namespace

bool MoveIntoPlace(int, const std::string &path, const std::string &target, bool replace) {
  const std::wstring from = Wide(path), to = Wide(target);
  if (Rename(from, to, replace ? MOVEFILE_REPLACE_EXISTING : 0))
    return true;
  const DWORD error = GetLastError();
  if (!replace || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || !AnythingAt(target)) {
    SetLastError(error);
    return Failed();
  }
  // Windows does not rename over a file that is open, and the file being replaced is: its lock holds it from
  // before it was read. An open file may itself be renamed, though: it steps aside under a name of its own (never
  // one a cleanup takes, since for a moment it is the only copy), the new file takes the name, and the old one
  // goes once its last handle closes. Should the new file not get there, the old one returns.
  const std::string asideStem = target + ".tvk-old-" + std::to_string(GetCurrentProcessId()) + "-";
  std::wstring aside;
  for (int attempt = 1;; ++attempt) {
    aside = Wide(asideStem + std::to_string(attempt));
    if (Rename(to, aside, 0))
      break;
    if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
      return Failed();
  }
  if (!Rename(from, to, 0)) {
    const DWORD failure = GetLastError();
    Rename(aside, to, 0);
    SetLastError(failure);
    return Failed();
  }
  DeleteFileW(aside.c_str());
  return true;
}
