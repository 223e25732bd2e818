// A fresh temporary app folder per test: TOVRIK_HOME points at it, so config.ini and Temp.tmp never touch the source tree.
#pragma once

#include <filesystem>
#include <string>

class TTempAppFolder {
public:
  TTempAppFolder();
  ~TTempAppFolder();
  TTempAppFolder(const TTempAppFolder &) = delete;
  TTempAppFolder &operator=(const TTempAppFolder &) = delete;

  const std::filesystem::path &Path() const { return path; }
  // Full path of a file inside the folder, as text.
  std::string File(const std::string &name) const;
  // Writes bytes to a file inside the folder and returns its full path.
  std::string WriteFile(const std::string &name, const std::string &bytes) const;
  // The bytes of a file; a path given as text is UTF-8, as the program's paths are.
  static std::string ReadFile(const std::string &path);
  static std::string ReadFile(const std::filesystem::path &path);

private:
  std::filesystem::path path;
  std::string previousHome;
  bool hadHome = false;
};
