// File streams on Windows file handles (held as C runtime descriptors).
#include "platform/Streams.h"

#include "Win32.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <io.h>

namespace {
DWORD MoveMethod(TSeekOrigin origin) {
  switch (origin) {
  case TSeekOrigin::soBeginning: return FILE_BEGIN;
  case TSeekOrigin::soCurrent: return FILE_CURRENT;
  case TSeekOrigin::soEnd: return FILE_END;
  }
  return FILE_BEGIN;
}

constexpr int64_t largestStep = 1 << 30;
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

TFileStream::~TFileStream() {
  if (handle >= 0)
    _close(handle);
}

int64_t TFileStream::Read(void *buffer, int64_t count) {
  auto *target = static_cast<char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    DWORD read = 0;
    if (!ReadFile(SystemHandle(handle), target + done, static_cast<DWORD>(std::min(count - done, largestStep)), &read,
                  nullptr)) {
      FailWithLastError();
      throw EReadError(fileName, std::strerror(errno));
    }
    if (read == 0)
      break;
    done += read;
  }
  return done;
}

int64_t TFileStream::Write(const void *buffer, int64_t count) {
  const auto *source = static_cast<const char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    DWORD written = 0;
    if (!WriteFile(SystemHandle(handle), source + done, static_cast<DWORD>(std::min(count - done, largestStep)),
                   &written, nullptr)) {
      FailWithLastError();
      throw EWriteError(fileName, std::strerror(errno));
    }
    if (written == 0)
      throw EWriteError(fileName, std::strerror(ENOSPC));
    done += written;
  }
  return done;
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
