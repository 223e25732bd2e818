// Where the program keeps its files: the executable's folder, config.ini, the backing file's folder, the help page.
#include "platform/AppFolder.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"

#include <filesystem>

namespace {
std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.find_last_of(PathSeparators) == path.size() - 1)
    path.pop_back();
  return path;
}

// Where the backing file and the recovery journals go when the app folder is not writable: a folder that outlives
// a logout and a power cut (unlike $XDG_RUNTIME_DIR), since a dead editor's unsaved work waits there.
std::string PrivateBackingFolder() { return WithoutTrailingSeparator(UserStateFolder()) + "/TovrikEditor"; }
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
  return WithoutTrailingSeparator(UserSettingsFolder()) + "/TovrikEditor/config.ini";
}

std::string BackingFolder() {
  const std::string app = AppFolder();
  if (KeepsFilesBeside(app, false))
    return app;
  const std::string folder = PrivateBackingFolder();
  std::error_code ignored; // a parent that cannot be made shows as the folder's own failure just below
  std::filesystem::create_directories(FilePath(ExtractFileDir(folder)), ignored);
  MakePrivateFolder(folder);
  return folder;
}

std::string ExistingBackingFolder() {
  const std::string app = AppFolder();
  if (KeepsFilesBeside(app, false))
    return app;
  const std::string folder = PrivateBackingFolder();
  return IsOwnFolder(folder) ? folder : "";
}
