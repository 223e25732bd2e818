// A pipe with a name in the file system, which no program may take for a regular file: a FIFO on POSIX, a named
// pipe on Windows (whose names live in \\.\pipe\, not in a folder).
#pragma once

#include <memory>
#include <string>

class TPipeFile {
public:
  // Makes the pipe; on POSIX as the file name in folder.
  TPipeFile(const std::string &folder, const std::string &name);
  ~TPipeFile();
  TPipeFile(const TPipeFile &) = delete;
  TPipeFile &operator=(const TPipeFile &) = delete;
  const std::string &Path() const { return path; }

private:
  std::string path;
  struct TState;
  std::unique_ptr<TState> state;
};
