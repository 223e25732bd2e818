// The peer programs tests check our archives against (unzip, zip, 7z, python3): which of them are missing.
#pragma once

#include <cstdlib>
#include <initializer_list>
#include <string>

// The programs of the list that are not on PATH, comma-separated; empty when all are there. Tests skip with
// this text as the reason, so a machine without a peer reports what to install instead of failing.
inline std::string MissingPeers(std::initializer_list<std::string> programs) {
  std::string missing;
  for (const std::string &program : programs)
    if (std::system(("command -v '" + program + "' >/dev/null 2>&1").c_str()) != 0)
      missing += (missing.empty() ? "" : ", ") + program;
  return missing;
}
