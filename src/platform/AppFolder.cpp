// Where the program keeps its files: the executable's folder, config.ini, the backing file's folder, the help page.
#include "platform/AppFolder.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string Environment(const char *name) {
  const char *value = std::getenv(name);
  return value ? value : "";
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0)
    return "";
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (home.empty())
    if (const passwd *user = ::getpwuid(::getuid()))
      home = user->pw_dir;
  return home;
}

// Creates a folder only this user can enter, or accepts an existing one that is ours and not a link.
void MakePrivateFolder(const std::string &path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
    throw EFCreateError(Substitute("Cannot create folder \"%s\". %s", {path, std::strerror(errno)}));
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
    throw EFCreateError(Substitute("Cannot create folder \"%s\". %s", {path, "The folder belongs to another user."}));
  if ((info.st_mode & 077) != 0)
    ::chmod(path.c_str(), 0700);
}

// Where the backing file and the recovery journals go when the app folder is not writable: a folder that outlives
// a logout and a power cut (unlike $XDG_RUNTIME_DIR), since a dead editor's unsaved work waits there.
std::string PrivateBackingFolder() {
  std::string stateHome = Environment("XDG_STATE_HOME");
  if (stateHome.empty())
    stateHome = HomeFolder() + "/.local/state";
  return WithoutTrailingSeparator(stateHome) + "/TovrikEditor";
}
} // namespace

std::string AppFolder() {
  const std::string home = Environment("TOVRIK_HOME");
  if (!home.empty())
    return WithoutTrailingSeparator(home);
  const std::string exe = ExecutablePath();
  return exe.empty() ? "." : ExtractFileDir(exe);
}

std::string AppFile(const std::string &relativePath) { return AppFolder() + "/" + relativePath; }

namespace {
const std::string shippedConfig = "/../share/tovrikeditor/config.ini";
} // namespace

bool IsInstalledProgramFolder(const std::string &folder) { return FileExists(folder + shippedConfig); }

std::string ShippedConfigIniPath() {
  const std::string exe = ExecutablePath();
  return (exe.empty() ? "." : ExtractFileDir(exe)) + shippedConfig;
}

namespace {
// An installed program keeps nothing in its own folder, even where it could write there (run by root): removing
// the package must leave no config.ini or Temp.tmp in /usr/bin. TOVRIK_HOME is always the user's own folder.
bool KeepsFilesBeside(const std::string &app, bool evenReadOnly) {
  if (Environment("TOVRIK_HOME").empty() && IsInstalledProgramFolder(app))
    return false;
  return evenReadOnly || FolderWritable(app);
}
} // namespace

std::string ConfigIniPath() {
  const std::string beside = AppFile("config.ini");
  if (KeepsFilesBeside(AppFolder(), FileExists(beside)))
    return beside;
  std::string configHome = Environment("XDG_CONFIG_HOME");
  if (configHome.empty())
    configHome = HomeFolder() + "/.config";
  return WithoutTrailingSeparator(configHome) + "/TovrikEditor/config.ini";
}

std::string BackingFolder() {
  const std::string app = AppFolder();
  if (KeepsFilesBeside(app, false))
    return app;
  const std::string folder = PrivateBackingFolder();
  std::error_code ignored; // a parent that cannot be made shows as the folder's own failure just below
  std::filesystem::create_directories(ExtractFileDir(folder), ignored);
  MakePrivateFolder(folder);
  return folder;
}

std::string ExistingBackingFolder() {
  const std::string app = AppFolder();
  if (KeepsFilesBeside(app, false))
    return app;
  const std::string folder = PrivateBackingFolder();
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
    return "";
  return folder;
}
