// Arguments, standard streams and the terminal on POSIX: bytes as they are.
#include "platform/Console.h"

#include <csignal>
#include <unistd.h>

std::vector<std::string> ProgramArguments(int argc, char *argv[]) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

void PrepareCommandLineProcess() { std::signal(SIGXFSZ, SIG_IGN); }

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }
