// A program run as a child process whose stdout the test reads line by line, to be killed at a chosen moment.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The running program's own path, to start it again as a child (a test program running one test of its own).
std::string ThisProgram();

class TChildProcess {
public:
  // Starts program with arguments; the child inherits the environment (TOVRIK_HOME among it).
  TChildProcess(const std::string &program, const std::vector<std::string> &arguments);
  ~TChildProcess();
  TChildProcess(const TChildProcess &) = delete;
  TChildProcess &operator=(const TChildProcess &) = delete;

  // The next line the child printed, without its line break (LF, or CR LF as Windows' C runtime writes it);
  // empty once it ended.
  std::string ReadLine() {
    std::string line;
    for (int c; lines && (c = std::fgetc(lines)) != EOF && c != '\n';)
      line += static_cast<char>(c);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    return line;
  }
  // Ends the child at once and waits for the end: nothing of the child's own runs after it (SIGKILL;
  // TerminateProcess on Windows).
  void Kill();
  // Asks the child to stop as Ctrl+C at its terminal would, so that its own cleanup runs, and waits for the end
  // (SIGINT; Ctrl+Break to the child's own process group on Windows). Returns its exit status, -1 when a
  // signal ended it; nothing when no console carries the event here (Wine's), and then the child is killed.
  std::optional<int> Interrupt();

private:
  struct TState;
  std::unique_ptr<TState> state;
  FILE *lines = nullptr; // the read end of the child's stdout
};
