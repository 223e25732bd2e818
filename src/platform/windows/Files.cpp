// File kinds, identities and permissions from the Windows file attributes and handle information.
#include "platform/Files.h"

#include "Win32.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

const char *const PathSeparators = "\\/";

namespace {
constexpr DWORD noAttributes = INVALID_FILE_ATTRIBUTES;

DWORD AttributesOf(const std::string &path) { return GetFileAttributesW(Wide(path).c_str()); }

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  return upper;
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices in every folder, with any extension.
bool IsDeviceName(const std::string &name) {
  std::string stem = Upper(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ')
    stem.pop_back();
  static constexpr std::array<std::string_view, 4> plain{"CON", "PRN", "AUX", "NUL"};
  if (std::find(plain.begin(), plain.end(), stem) != plain.end())
    return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9';
}

// "\\.\pipe\name", "\\.\COM1", "//./PhysicalDrive0": the system's device namespace.
bool IsDevicePath(const std::string &path) {
  return path.size() >= 4 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/') &&
         (path[2] == '.' || path[2] == '?') && (path[3] == '\\' || path[3] == '/');
}

int64_t NanosecondsSince1970(FILETIME time) {
  const int64_t ticks = static_cast<int64_t>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart);
  constexpr int64_t ticksFrom1601To1970 = 116444736000000000;
  return (ticks - ticksFrom1601To1970) * 100;
}

TFileIdentity IdentityFrom(const BY_HANDLE_FILE_INFORMATION &information) {
  return {information.dwVolumeSerialNumber,
          (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow,
          static_cast<int64_t>((static_cast<uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow),
          NanosecondsSince1970(information.ftLastWriteTime)};
}
} // namespace

bool FileExists(const std::string &path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != noAttributes && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDevicePath(path) &&
         !IsDeviceName(ExtractFileName(path));
}

bool AnythingAt(const std::string &path) { return AttributesOf(path) != noAttributes; }

bool SystemAcceptsFileName(const std::string &name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ' || IsDeviceName(name))
    return false;
  return name.find_first_of("<>:\"/\\|?*") == std::string::npos;
}

bool DeleteFile(const std::string &path) { return DeleteFileW(Wide(path).c_str()) != 0; }

bool FolderWritable(const std::string &path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == noAttributes || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  // Windows decides by the folder's access list: only trying tells. The probe goes when its handle closes.
  const std::string probe = path + "\\.tvk-probe-" + std::to_string(GetCurrentProcessId());
  const HANDLE handle = CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return false;
  CloseHandle(handle);
  return true;
}

void RequireRegularFile(const std::string &path) {
  std::string kind;
  if (IsDevicePath(path) && Upper(path.substr(4)).starts_with("PIPE")) {
    kind = Translated("je to roura (FIFO)");
  } else if (IsDevicePath(path) || IsDeviceName(ExtractFileName(path))) {
    kind = Translated("je to zařízení");
  } else {
    const DWORD attributes = AttributesOf(path);
    if (attributes == noAttributes)
      return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
      kind = Translated("je to složka");
  }
  if (!kind.empty())
    throw EFOpenError(Substitute(Translated("Soubor \"%s\" nelze otevřít: %s, ne obyčejný soubor."), {path, kind}));
}

void RequireWritable(const std::string &path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes != noAttributes && (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw EFCreateError(Substitute(Translated("Soubor \"%s\" nelze přepsat: nemáte právo do něj zapisovat."), {path}));
}

std::optional<TFileIdentity> IdentityOf(const std::string &path) {
  const HANDLE handle = OpenShared(path, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = HandleInformation(handle, information);
  if (handle != INVALID_HANDLE_VALUE)
    CloseHandle(handle);
  if (!known)
    return std::nullopt;
  return IdentityFrom(information);
}

TFileIdentity IdentityOf(int handle) {
  BY_HANDLE_FILE_INFORMATION information{};
  HandleInformation(SystemHandle(handle), information);
  return IdentityFrom(information);
}

uint32_t ProcessUmask() { return 0; }
