// File streams on Windows file handles (held as C runtime descriptors).
#include "platform/Streams.h"

#include "Win32.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstring>

namespace {
DWORD MoveMethod(TSeekOrigin origin) {
  switch (origin) {
  case TSeekOrigin::soBeginning: return FILE_BEGIN;
  case TSeekOrigin::soCurrent: return FILE_CURRENT;
  case TSeekOrigin::soEnd: return FILE_END;
  }
  return FILE_BEGIN;
}
} // namespace

TFileStream::TFileStream(const std::string &name, TFileMode mode) : fileName(name) {
  if (mode == TFileMode::fmOpenRead)
    RequireRegularFile(name); // a device or a pipe is never opened
  const DWORD access = mode == TFileMode::fmOpenRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  const DWORD disposition = mode == TFileMode::fmCreate ? CREATE_ALWAYS : OPEN_EXISTING;
  const HANDLE opened = OpenShared(name, access, disposition);
  if (opened == INVALID_HANDLE_VALUE) {
    FailWithLastError();
    const DWORD attributes = GetFileAttributesW(Wide(name).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      errno = EISDIR;
  } else if (GetFileType(opened) != FILE_TYPE_DISK) {
    CloseHandle(opened);
    RequireRegularFile(name);
    errno = EINVAL;
  } else {
    handle = DescriptorOf(opened);
  }
  if (handle < 0) {
    const std::string reason = std::strerror(errno);
    if (mode == TFileMode::fmCreate)
      throw EFCreateError(Substitute("Cannot create file \"%s\". %s", {name, reason}));
    throw EFOpenError(Substitute("Cannot open file \"%s\". %s", {name, reason}));
  }
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER distance{}, result{};
  distance.QuadPart = offset;
  if (!SetFilePointerEx(SystemHandle(handle), distance, &result, MoveMethod(origin))) {
    FailWithLastError();
    throw EStreamError(Substitute("Cannot seek in file \"%s\". %s", {fileName, std::strerror(errno)}));
  }
  return result.QuadPart;
}

int64_t TFileStream::Size() {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(SystemHandle(handle), &size))
    throw EReadError();
  return size.QuadPart;
}

void TFileStream::SetSize(int64_t newSize) {
  // As ftruncate does, the size changes and the position stays.
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = newSize;
  if (!SetFileInformationByHandle(SystemHandle(handle), FileEndOfFileInfo, &end, sizeof end)) {
    FailWithLastError();
    throw EWriteError(fileName, std::strerror(errno));
  }
}

void TFileStream::Flush() {
  if (!FlushFileBuffers(SystemHandle(handle)) && GetLastError() != ERROR_INVALID_HANDLE) {
    FailWithLastError();
    throw EWriteError(fileName, std::strerror(errno));
  }
}
