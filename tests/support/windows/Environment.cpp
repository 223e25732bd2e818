// The process's environment variables: the system's block, which child processes inherit, and the C runtime's
// copy, which getenv reads; both are changed together.
#include "support/Environment.h"
#include "support/windows/WideText.h"

#include <cstdlib>

void SetEnvironment(const std::string &name, const char *value) {
  const std::wstring wideName = WideText(name);
  const std::wstring wideValue = value ? WideText(value) : std::wstring();
  ::SetEnvironmentVariableW(wideName.c_str(), value ? wideValue.c_str() : nullptr);
  ::_wputenv_s(wideName.c_str(), wideValue.c_str()); // an empty value removes it from the runtime's copy
}
