// A program run as a child process whose stdout the test reads line by line, to be killed at a chosen moment.
#pragma once

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// In a forked child: runs program with arguments in its place, or ends the child with status 127.
[[noreturn]] inline void ExecInChild(const std::string &program, const std::vector<std::string> &arguments) {
  std::vector<char *> argv{const_cast<char *>(program.c_str())};
  for (const std::string &argument : arguments)
    argv.push_back(const_cast<char *>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

class TChildProcess {
public:
  // Starts program with arguments; the child inherits the environment (TOVRIK_HOME among it).
  TChildProcess(const std::string &program, const std::vector<std::string> &arguments) {
    int output[2];
    if (::pipe(output) != 0)
      return;
    pid = ::fork();
    if (pid == 0) {
      ::dup2(output[1], STDOUT_FILENO);
      ::close(output[0]);
      ::close(output[1]);
      ExecInChild(program, arguments);
    }
    ::close(output[1]);
    lines = ::fdopen(output[0], "r");
  }
  ~TChildProcess() {
    Kill();
    if (lines)
      std::fclose(lines);
  }
  TChildProcess(const TChildProcess &) = delete;
  TChildProcess &operator=(const TChildProcess &) = delete;

  // The next line the child printed, without its line break; empty once it ended.
  std::string ReadLine() {
    std::string line;
    for (int c; lines && (c = std::fgetc(lines)) != EOF && c != '\n';)
      line += static_cast<char>(c);
    return line;
  }
  // SIGKILL, then waits for the end: nothing of the child's own runs after it.
  void Kill() {
    if (pid <= 0)
      return;
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    pid = -1;
  }

private:
  pid_t pid = -1;
  FILE *lines = nullptr;
};
