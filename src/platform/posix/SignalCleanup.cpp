// SIGINT, SIGTERM and SIGHUP delete the registered files, then end the process as they would have.
#include "platform/SignalCleanup.h"

#include <csignal>
#include <unistd.h>

namespace {
constexpr int cleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveAndEnd(int signalNumber) {
  RemoveRegisteredFiles();
  // SA_RESETHAND restored the default action: the signal ends the process as soon as the handler returns.
  ::raise(signalNumber);
}
} // namespace

void DeleteRegisteredFile(const char *path) { ::unlink(path); }

void InstallSignalCleanup() {
  for (const int signalNumber : cleanedSignals) {
    struct sigaction previous {};
    ::sigaction(signalNumber, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN)
      continue;
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int other : cleanedSignals)
      sigaddset(&action.sa_mask, other);
    ::sigaction(signalNumber, &action, nullptr);
  }
}
