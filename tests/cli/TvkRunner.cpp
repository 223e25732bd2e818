// Runs tvk with fork and exec, its output captured in temporary files.
#include "TvkRunner.h"

#include "support/ChildProcess.h"
#include "support/TempAppFolder.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

TTvkProcess::TTvkProcess(const std::vector<std::string> &arguments, const std::string &folder,
                         const std::function<void()> &inChild) {
  const std::string program = std::string(TOVRIK_BIN_DIR) + "/tvk";
  char outTemplate[] = "/tmp/tvk-out-XXXXXX", errTemplate[] = "/tmp/tvk-err-XXXXXX";
  const int out = ::mkstemp(outTemplate), err = ::mkstemp(errTemplate);
  outName = outTemplate;
  errName = errTemplate;
  pid = ::fork();
  if (pid == 0) {
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

TTvkRun TTvkProcess::Finish() {
  TTvkRun run;
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  finished = true;
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  run.MaxRssKiB = usage.ru_maxrss;
  run.Out = TTempAppFolder::ReadFile(outName);
  run.Err = TTempAppFolder::ReadFile(errName);
  ::unlink(outName.c_str());
  ::unlink(errName.c_str());
  return run;
}

TTvkRun RunTvk(const std::vector<std::string> &arguments, const std::string &folder) {
  return TTvkProcess(arguments, folder).Finish();
}
