// Files a process must not leave behind when SIGINT, SIGTERM or SIGHUP (on Windows: Ctrl+C, Ctrl+Break, closing
// the console, logging off) ends it in the middle of its work.
#pragma once

#include <string>

// Installs the handler for SIGINT, SIGTERM and SIGHUP: it deletes every registered file, then lets the
// signal end the process as it would have. Programs call it once at start-up; a signal that is ignored
// (a job started with nohup) stays ignored.
void InstallSignalCleanup();

// For the system's handler: deletes every registered file; safe where a signal handler runs.
void RemoveRegisteredFiles();
// Deletes one registered file, as the system's handler may.
void DeleteRegisteredFile(const char *path);

// Registers path for deletion by the handler while this object lives. Registration never fails: beyond
// the handler's fixed number of places a file simply is not registered.
class TRemoveOnSignal {
public:
  explicit TRemoveOnSignal(const std::string &path);
  ~TRemoveOnSignal();
  TRemoveOnSignal(const TRemoveOnSignal &) = delete;
  TRemoveOnSignal &operator=(const TRemoveOnSignal &) = delete;

private:
  int slot = -1;
};
