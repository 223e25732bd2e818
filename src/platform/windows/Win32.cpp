// UTF-16 names, errno from system errors, descriptors around handles.
#include "Win32.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>

std::wstring Wide(const std::string &utf8) {
  if (utf8.empty())
    return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring &wide) {
  if (wide.empty())
    return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

namespace {
int ErrnoOf(DWORD error) {
  switch (error) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_DRIVE:
  case ERROR_BAD_NETPATH:
  case ERROR_BAD_NET_NAME:
  case ERROR_BAD_PATHNAME: return ENOENT;
  case ERROR_ACCESS_DENIED:
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
  case ERROR_WRITE_PROTECT:
  case ERROR_DELETE_PENDING: return EACCES;
  case ERROR_FILE_EXISTS:
  case ERROR_ALREADY_EXISTS: return EEXIST;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL: return ENOSPC;
  case ERROR_INVALID_NAME:
  case ERROR_DIRECTORY:
  case ERROR_INVALID_PARAMETER: return EINVAL;
  case ERROR_NOT_ENOUGH_MEMORY:
  case ERROR_OUTOFMEMORY: return ENOMEM;
  case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
  case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
  case ERROR_NOT_SAME_DEVICE: return EXDEV;
  case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
  default: return EIO;
  }
}
} // namespace

int FailWithLastError() {
  errno = ErrnoOf(GetLastError());
  return -1;
}

HANDLE SystemHandle(int descriptor) { return reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)); }

int DescriptorOf(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE)
    return FailWithLastError();
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    errno = EMFILE;
  }
  return descriptor;
}

HANDLE OpenShared(const std::string &path, DWORD access, DWORD disposition, DWORD flags) {
  return CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     disposition, flags, nullptr);
}

bool HandleInformation(HANDLE handle, BY_HANDLE_FILE_INFORMATION &information) {
  return handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &information) != 0;
}
