// Starting programs in forked children, for the tests' POSIX support.
#pragma once

#include <string>
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
