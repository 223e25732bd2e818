// A FIFO in a folder.
#include "support/PipeFile.h"

#include <stdexcept>
#include <sys/stat.h>

struct TPipeFile::TState {};

TPipeFile::TPipeFile(const std::string &folder, const std::string &name) : path(folder + "/" + name) {
  if (::mkfifo(path.c_str(), 0600) != 0)
    throw std::runtime_error("cannot make the FIFO " + path);
}

TPipeFile::~TPipeFile() = default; // the folder goes with its FIFO
