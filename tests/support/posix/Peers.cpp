// The peer programs on PATH, as the shell finds them.
#include "support/Peers.h"

#include <cstdlib>

std::string MissingPeers(std::initializer_list<std::string> programs) {
  std::string missing;
  for (const std::string &program : programs)
    if (std::system(("command -v '" + program + "' >/dev/null 2>&1").c_str()) != 0)
      missing += (missing.empty() ? "" : ", ") + program;
  return missing;
}
