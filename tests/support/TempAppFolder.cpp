// A fresh temporary app folder per test.
#include "TempAppFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

TTempAppFolder::TTempAppFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tovrik-test-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot create a temporary folder");
  path = pattern;
  if (const char *home = std::getenv("TOVRIK_HOME")) {
    hadHome = true;
    previousHome = home;
  }
  setenv("TOVRIK_HOME", path.c_str(), 1);
}

TTempAppFolder::~TTempAppFolder() {
  if (hadHome)
    setenv("TOVRIK_HOME", previousHome.c_str(), 1);
  else
    unsetenv("TOVRIK_HOME");
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path, ignored);
}

std::string TTempAppFolder::File(const std::string &name) const { return (path / name).string(); }

std::string TTempAppFolder::WriteFile(const std::string &name, const std::string &bytes) const {
  const auto full = path / name;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + full.string());
  return full.string();
}

std::string TTempAppFolder::ReadFile(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read " + file.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
