// The process's environment variables, which the code under test reads and the tests' child processes inherit.
#pragma once

#include <string>

// Sets name to value (UTF-8); a null value removes the variable.
void SetEnvironment(const std::string &name, const char *value);
inline void UnsetEnvironment(const std::string &name) { SetEnvironment(name, nullptr); }
