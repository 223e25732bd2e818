// Runs tvk with fork and exec, its output captured in temporary files.
#include "TvkRunner.h"

#include "support/TempAppFolder.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

TTvkRun RunTvk(const std::vector<std::string> &arguments, const std::string &folder) {
  const std::string program = std::string(TOVRIK_BIN_DIR) + "/tvk";
  char outName[] = "/tmp/tvk-out-XXXXXX", errName[] = "/tmp/tvk-err-XXXXXX";
  const int out = ::mkstemp(outName), err = ::mkstemp(errName);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0)
      ::_exit(127);
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
      argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  TTvkRun run;
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  ::close(out);
  ::close(err);
  run.Out = TTempAppFolder::ReadFile(outName);
  run.Err = TTempAppFolder::ReadFile(errName);
  ::unlink(outName);
  ::unlink(errName);
  return run;
}
