// Runs the built tvk as a separate process and collects its exit status, stdout and stderr.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct TTvkRun {
  int Status = -1; // the exit status; -1 when a signal ended the process
  int Signal = 0;  // the signal that ended it, if one did
  long MaxRssKiB = 0;
  std::string Out, Err;
};

// A tvk process running on its own: started at construction, collected by Finish.
class TTvkProcess {
public:
  // Runs TOVRIK_BIN_DIR/tvk with arguments in folder (the current folder when empty); TOVRIK_HOME is
  // inherited. inChild, if given, runs in the child before tvk starts (limits, signal dispositions).
  explicit TTvkProcess(const std::vector<std::string> &arguments, const std::string &folder = "",
                       const std::function<void()> &inChild = {});
  ~TTvkProcess();
  TTvkProcess(const TTvkProcess &) = delete;
  TTvkProcess &operator=(const TTvkProcess &) = delete;

  pid_t Pid() const { return pid; }
  // Waits for the process to end and collects what it wrote.
  TTvkRun Finish();

private:
  pid_t pid = -1;
  std::string outName, errName;
  bool finished = false;
};

TTvkRun RunTvk(const std::vector<std::string> &arguments, const std::string &folder = "");
