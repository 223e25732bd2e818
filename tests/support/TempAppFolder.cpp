// A fresh temporary app folder per test.
#include "TempAppFolder.h"

#include "support/Environment.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace {
// Paths are UTF-8 text in the tests as in the program; std::filesystem takes them so on every system.
std::filesystem::path PathOf(const std::string &text) { return std::filesystem::path(std::u8string(text.begin(), text.end())); }
std::string TextOf(const std::filesystem::path &path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A new folder of a name no other test process has taken, for this user alone.
std::filesystem::path NewPrivateFolder() {
  static const char letters[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "tovrik-test-";
    for (int i = 0; i < 6; ++i)
      name += letters[letter(random)];
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) {
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
      return folder;
    }
    if (error)
      break;
  }
  throw std::runtime_error("cannot create a temporary folder");
}
} // namespace

TTempAppFolder::TTempAppFolder() : path(NewPrivateFolder()) {
  if (const char *home = std::getenv("TOVRIK_HOME")) {
    hadHome = true;
    previousHome = home;
  }
  SetEnvironment("TOVRIK_HOME", TextOf(path).c_str());
}

TTempAppFolder::~TTempAppFolder() {
  SetEnvironment("TOVRIK_HOME", hadHome ? previousHome.c_str() : nullptr);
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path, ignored);
}

// Joined with "/" as the program joins TOVRIK_HOME and its files' names, on Windows too.
std::string TTempAppFolder::File(const std::string &name) const { return TextOf(path) + "/" + name; }

std::string TTempAppFolder::WriteFile(const std::string &name, const std::string &bytes) const {
  const auto full = path / PathOf(name);
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + File(name));
  return File(name);
}

std::string TTempAppFolder::ReadFile(const std::string &file) { return ReadFile(PathOf(file)); }

std::string TTempAppFolder::ReadFile(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read " + TextOf(file));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
