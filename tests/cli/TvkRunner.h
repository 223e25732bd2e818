// Runs the built tvk as a separate process and collects its exit status, stdout and stderr.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

struct TTvkRun {
  int Status = -1;     // the exit status; -1 when a signal ended the process
  int Signal = 0;      // the signal that ended it, if one did (POSIX)
  bool Killed = false; // ended by TTvkProcess::Kill
  long MaxRssKiB = 0;
  std::string Out, Err;
};

// A tvk process running on its own: started at construction, collected by Finish.
class TTvkProcess {
public:
  // Runs TOVRIK_BIN_DIR/tvk with arguments in folder (the current folder when empty); TOVRIK_HOME is
  // inherited. inChild, if given, runs in the child before tvk starts (limits, signal dispositions; POSIX only,
  // where a forked child runs code of the test's own).
  explicit TTvkProcess(const std::vector<std::string> &arguments, const std::string &folder = "",
                       const std::function<void()> &inChild = {});
  ~TTvkProcess();
  TTvkProcess(const TTvkProcess &) = delete;
  TTvkProcess &operator=(const TTvkProcess &) = delete;

  pid_t Pid() const;
  // Ends tvk at once: no handler of its own runs (SIGKILL; TerminateProcess on Windows).
  void Kill();
  // Asks tvk to stop as Ctrl+C at its terminal would (SIGINT; Ctrl+Break to its process group on Windows);
  // false when no console carries the event here (Wine's), and then tvk is killed.
  bool Interrupt();
  // Waits for the process to end and collects what it wrote.
  TTvkRun Finish();

private:
  struct TState;
  std::unique_ptr<TState> state;
  bool finished = false;
};

inline TTvkRun RunTvk(const std::vector<std::string> &arguments, const std::string &folder = "") {
  return TTvkProcess(arguments, folder).Finish();
}
