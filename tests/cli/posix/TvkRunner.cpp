// Runs tvk with fork and exec, its output captured in temporary files.
#include "cli/TvkRunner.h"

#include "support/TempAppFolder.h"
#include "support/posix/Processes.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct TTvkProcess::TState {
  pid_t pid = -1;
  std::string outName, errName;
};

TTvkProcess::TTvkProcess(const std::vector<std::string> &arguments, const std::string &folder,
                         const std::function<void()> &inChild)
    : state(std::make_unique<TState>()) {
  const std::string program = std::string(TOVRIK_BIN_DIR) + "/tvk";
  char outTemplate[] = "/tmp/tvk-out-XXXXXX", errTemplate[] = "/tmp/tvk-err-XXXXXX";
  const int out = ::mkstemp(outTemplate), err = ::mkstemp(errTemplate);
  state->outName = outTemplate;
  state->errName = errTemplate;
  state->pid = ::fork();
  if (state->pid == 0) {
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0)
      ::_exit(127);
    if (inChild)
      inChild();
    ExecInChild(program, arguments);
  }
  ::close(out);
  ::close(err);
}

TTvkProcess::~TTvkProcess() {
  if (!finished)
    Finish();
}

pid_t TTvkProcess::Pid() const { return state->pid; }

void TTvkProcess::Kill() { ::kill(state->pid, SIGKILL); }

bool TTvkProcess::Interrupt() { return ::kill(state->pid, SIGINT) == 0; }

TTvkRun TTvkProcess::Finish() {
  TTvkRun run;
  int status = 0;
  rusage usage{};
  ::wait4(state->pid, &status, 0, &usage);
  finished = true;
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  run.Killed = run.Signal == SIGKILL;
  run.MaxRssKiB = usage.ru_maxrss;
  run.Out = TTempAppFolder::ReadFile(state->outName);
  run.Err = TTempAppFolder::ReadFile(state->errName);
  ::unlink(state->outName.c_str());
  ::unlink(state->errName.c_str());
  return run;
}
