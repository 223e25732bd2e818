// The process's environment variables through setenv and unsetenv.
#include "support/Environment.h"

#include <cstdlib>

void SetEnvironment(const std::string &name, const char *value) {
  if (value)
    ::setenv(name.c_str(), value, 1);
  else
    ::unsetenv(name.c_str());
}
