// The handler's list of files: fixed places filled before they are marked used, so the handler only ever sees
// complete paths and does nothing but delete files, which is safe in a handler.
#include "platform/SignalCleanup.h"

#include <array>
#include <atomic>
#include <cstring>

namespace {
// Longer paths are not registered (the longest a Linux path may be; Windows allows 32,767 UTF-16 units).
constexpr std::size_t longestPath = 4096;

struct TSlot {
  std::atomic<bool> used{false};
  std::atomic<bool> claimed{false};
  char path[longestPath];
};
std::array<TSlot, 32> slots;
} // namespace

void RemoveRegisteredFiles() {
  for (TSlot &slot : slots)
    if (slot.used.load(std::memory_order_acquire))
      DeleteRegisteredFile(slot.path);
}

TRemoveOnSignal::TRemoveOnSignal(const std::string &path) {
  if (path.size() >= longestPath)
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
