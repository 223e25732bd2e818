// Checks of file modes as an ordinary user: Windows has no file modes (its permissions are access lists).
#include "support/OrdinaryUser.h"

#include <gtest/gtest.h>

void RunAsOrdinaryUser(const std::filesystem::path &, const std::function<void()> &) {
  GTEST_SKIP() << "file modes and an ordinary user beside root are POSIX's; Windows has access lists instead";
}
