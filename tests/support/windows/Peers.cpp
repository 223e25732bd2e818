// The peer programs on PATH, as the system finds programs; std::system runs cmd.exe here, never a POSIX shell.
#include "support/Peers.h"
#include "support/windows/WideText.h"

namespace {
bool OnPath(const std::string &program) {
  wchar_t found[MAX_PATH];
  return ::SearchPathW(nullptr, WideText(program).c_str(), L".exe", MAX_PATH, found, nullptr) != 0;
}
} // namespace

std::string MissingPeers(std::initializer_list<std::string> programs) {
  std::string missing;
  for (const std::string &program : programs)
    if (!OnPath(program))
      missing += program + ", ";
  return missing + "a POSIX shell for the command lines that run them";
}
