// A child process through fork and exec, its stdout through a pipe.
#include "support/ChildProcess.h"
#include "support/posix/Processes.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

std::string ThisProgram() { return std::filesystem::canonical("/proc/self/exe").string(); }

struct TChildProcess::TState {
  pid_t pid = -1;

  // Sends signalNumber and waits for the end; the exit status, -1 when a signal ended the child.
  int End(int signalNumber) {
    if (pid <= 0)
      return -1;
    ::kill(pid, signalNumber);
    int status = 0;
    ::waitpid(pid, &status, 0);
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TChildProcess::TChildProcess(const std::string &program, const std::vector<std::string> &arguments)
    : state(std::make_unique<TState>()) {
  int output[2];
  if (::pipe(output) != 0)
    return;
  state->pid = ::fork();
  if (state->pid == 0) {
    ::dup2(output[1], STDOUT_FILENO);
    ::close(output[0]);
    ::close(output[1]);
    ExecInChild(program, arguments);
  }
  ::close(output[1]);
  lines = ::fdopen(output[0], "r");
}

TChildProcess::~TChildProcess() {
  Kill();
  if (lines)
    std::fclose(lines);
}

void TChildProcess::Kill() { state->End(SIGKILL); }

std::optional<int> TChildProcess::Interrupt() { return state->End(SIGINT); }
