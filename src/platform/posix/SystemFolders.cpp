// The executable from /proc, the XDG folders under the home folder, folders private by their mode and owner.
#include "platform/SystemFolders.h"

#include "platform/Exceptions.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (home.empty())
    if (const passwd *user = ::getpwuid(::getuid()))
      home = user->pw_dir;
  return home;
}
} // namespace

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0)
    return "";
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::string Environment(const char *name) {
  const char *value = std::getenv(name);
  return value ? value : "";
}

std::string UserSettingsFolder() {
  const std::string configHome = Environment("XDG_CONFIG_HOME");
  return configHome.empty() ? HomeFolder() + "/.config" : configHome;
}

std::string UserStateFolder() {
  const std::string stateHome = Environment("XDG_STATE_HOME");
  return stateHome.empty() ? HomeFolder() + "/.local/state" : stateHome;
}

void MakePrivateFolder(const std::string &path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
    throw EFCreateError(Substitute("Cannot create folder \"%s\". %s", {path, std::strerror(errno)}));
  struct stat info {};
  if (!IsOwnFolder(path))
    throw EFCreateError(Substitute("Cannot create folder \"%s\". %s", {path, "The folder belongs to another user."}));
  if (::lstat(path.c_str(), &info) == 0 && (info.st_mode & 077) != 0)
    ::chmod(path.c_str(), 0700);
}

bool IsOwnFolder(const std::string &path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}
