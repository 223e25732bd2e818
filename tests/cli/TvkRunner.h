// Runs the built tvk as a separate process and collects its exit status, stdout and stderr.
#pragma once

#include <string>
#include <vector>

struct TTvkRun {
  int Status = -1;
  std::string Out, Err;
};

// Runs TOVRIK_BIN_DIR/tvk with arguments in folder (the current folder when empty); TOVRIK_HOME is inherited.
TTvkRun RunTvk(const std::vector<std::string> &arguments, const std::string &folder = "");
