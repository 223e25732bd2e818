// The signal handler's list of files: fixed places filled before they are marked used, so the handler only
// ever sees complete paths and does nothing but unlink, which is safe in a handler.
#include "platform/SignalCleanup.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {
struct TSlot {
  std::atomic<bool> used{false};
  std::atomic<bool> claimed{false};
  char path[PATH_MAX];
};
std::array<TSlot, 32> slots;

constexpr int cleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveRegisteredFiles(int signalNumber) {
  for (TSlot &slot : slots)
    if (slot.used.load(std::memory_order_acquire))
      ::unlink(slot.path);
  // SA_RESETHAND restored the default action: the signal ends the process as soon as the handler returns.
  ::raise(signalNumber);
}
} // namespace

void InstallSignalCleanup() {
  for (const int signalNumber : cleanedSignals) {
    struct sigaction previous {};
    ::sigaction(signalNumber, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN)
      continue;
    struct sigaction action {};
    action.sa_handler = RemoveRegisteredFiles;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int other : cleanedSignals)
      sigaddset(&action.sa_mask, other);
    ::sigaction(signalNumber, &action, nullptr);
  }
}

TRemoveOnSignal::TRemoveOnSignal(const std::string &path) {
  if (path.size() >= PATH_MAX)
    return;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    bool expected = false;
    if (!slots[i].claimed.compare_exchange_strong(expected, true))
      continue;
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].used.store(true, std::memory_order_release);
    slot = static_cast<int>(i);
    return;
  }
}

TRemoveOnSignal::~TRemoveOnSignal() {
  if (slot < 0)
    return;
  slots[static_cast<std::size_t>(slot)].used.store(false, std::memory_order_release);
  slots[static_cast<std::size_t>(slot)].claimed.store(false, std::memory_order_release);
}
