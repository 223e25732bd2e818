// The executable from the module name, %APPDATA% and %LOCALAPPDATA% (or the known folders), plain folders.
#include "platform/SystemFolders.h"

#include "Win32.h"
#include "platform/Exceptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <shlobj.h>

namespace {
std::string KnownFolder(const KNOWNFOLDERID &id) {
  PWSTR found = nullptr;
  std::string folder;
  if (SHGetKnownFolderPath(id, 0, nullptr, &found) == S_OK)
    folder = Narrow(found);
  CoTaskMemFree(found);
  return folder;
}

std::string FolderFromEnvironment(const char *name, const KNOWNFOLDERID &id) {
  const std::string set = Environment(name);
  return set.empty() ? KnownFolder(id) : set;
}
} // namespace

std::string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return "";
    if (length < buffer.size())
      return Narrow(buffer.substr(0, length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string Environment(const char *name) {
  const wchar_t *value = _wgetenv(Wide(name).c_str());
  return value ? Narrow(value) : "";
}

std::string UserSettingsFolder() { return FolderFromEnvironment("APPDATA", FOLDERID_RoamingAppData); }

// Backing files and journals are large and belong to this machine: the local folder, which does not roam.
std::string UserStateFolder() { return FolderFromEnvironment("LOCALAPPDATA", FOLDERID_LocalAppData); }

void MakePrivateFolder(const std::string &path) {
  // A folder under the user's profile takes the profile's access list: only this user (and administrators).
  if (!CreateDirectoryW(Wide(path).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    FailWithLastError();
    throw EFCreateError(Substitute("Cannot create folder \"%s\". %s", {path, std::strerror(errno)}));
  }
  if (!IsOwnFolder(path))
    throw EFCreateError(Substitute("Cannot create folder \"%s\". %s", {path, "It is a link or no folder."}));
}

bool IsOwnFolder(const std::string &path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
