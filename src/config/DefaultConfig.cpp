// A first start's settings: the config.ini shipped with the program becomes the user's, unless the user has one;
// until then it is read in its place.
#include "config/DefaultConfig.h"

#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string ConfigIniForReading() {
  const std::string own = ConfigIniPath();
  std::error_code error;
  if (fs::exists(fs::symlink_status(FilePath(own), error)))
    return own;
  const std::string shipped = ShippedConfigIniPath();
  return fs::is_regular_file(FilePath(shipped), error) ? shipped : own;
}

bool InstallDefaultConfig(const std::string &defaultsPath) {
  const fs::path target = FilePath(ConfigIniPath());
  std::error_code error;
  if (fs::exists(fs::symlink_status(target, error)) || !fs::is_regular_file(FilePath(defaultsPath), error))
    return false;
  fs::create_directories(target.parent_path(), error);
  // Without overwriting: a config.ini that appeared meanwhile stays the user's own. A copy that cannot be made
  // leaves the program on its empty lists, as before the defaults existed; the settings dialog can fill them.
  return fs::copy_file(FilePath(defaultsPath), target, fs::copy_options::none, error) && !error;
}
