// File locks: waiting for another holder, giving up after the timeout, and following a file renamed into place.
#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "support/FileHolder.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {
// Waits until the waiter has opened path: this process then holds two descriptors of it. Windows tells no
// process which files it has open, so there the waiter gets a moment instead; if it opens the file only after
// the rename, it finds the new file at once and the test passes without having tested the following.
void AwaitTheWaitersOpen(const std::string &path) {
#ifdef _WIN32
  (void)path;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
#else
  const auto openedHere = [&] {
    int count = 0;
    for (const auto &link : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code ignored;
      count += std::filesystem::equivalent(link.path(), path, ignored);
    }
    return count;
  };
  // The holder's and the waiter's descriptor; a waiter that never opens the file fails here instead of hanging.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (openedHere() < 2 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_GE(openedHere(), 2) << "the waiter never opened the file";
#endif
}
} // namespace

TEST(FileLocks, TheLockIsHeldUntilDroppedAndAMissingFileLocksNothing) {
  TTempAppFolder folder;
  const std::string path = folder.WriteFile("x.tvk", "a");
  {
    TFileLock lock(path, std::chrono::milliseconds(0));
    EXPECT_TRUE(lock.Held());
    EXPECT_TRUE(LockedElsewhere(path));
  }
  EXPECT_FALSE(LockedElsewhere(path));
  EXPECT_FALSE(TFileLock(folder.File("missing.tvk"), std::chrono::milliseconds(0)).Held());
}

TEST(FileLocks, AWaitThatRunsOutNamesTheFile) {
  TTempAppFolder folder;
  const std::string path = folder.WriteFile("x.tvk", "a");
  TFileHolder other(path);
  try {
    TFileLock lock(path, std::chrono::milliseconds(100));
    FAIL() << "locked a file another holder keeps";
  } catch (const ELockTimeout &error) {
    EXPECT_NE(std::string(error.what()).find("\"" + path + "\""), std::string::npos) << error.what();
  }
}

// The other holder renames a new file over the name, then lets go: the waiter ends up holding the new file.
TEST(FileLocks, AWaiterFollowsAFileRenamedOverTheName) {
  TTempAppFolder folder;
  const std::string path = folder.WriteFile("x.tvk", "old");
  TFileHolder other(path);
  std::thread waiter([&] {
    TFileLock lock(path, std::chrono::seconds(30));
    EXPECT_EQ(TTempAppFolder::ReadFile(path), "new");
    EXPECT_TRUE(LockedElsewhere(path));
  });
  AwaitTheWaitersOpen(path);
  // The waiter has the old file open: now the holder finishes its edit.
  folder.WriteFile("x.tvk.new", "new");
  const std::error_code renamed = RenameOverHeld(folder.File("x.tvk.new"), path); // never throws: the waiter runs
  EXPECT_FALSE(renamed) << "the new file could not replace the held one: " << renamed.message();
  other.Release();
  waiter.join();
}

TEST(FileLocks, RemoveIfUnlockedKeepsHeldFilesAndForeignKinds) {
  TTempAppFolder folder;
  const std::string free = folder.WriteFile("free", "a");
  const std::string held = folder.WriteFile("held", "a");
  TFileHolder holder(held);
#ifndef _WIN32 // links on Windows need a privilege of their own
  std::filesystem::create_symlink(free, folder.File("link"));
  EXPECT_FALSE(RemoveIfUnlocked(folder.File("link")));
#endif
  EXPECT_TRUE(RemoveIfUnlocked(free));
  EXPECT_FALSE(RemoveIfUnlocked(held));
  EXPECT_TRUE(RemoveIfUnlocked(folder.File("missing")));
  EXPECT_FALSE(std::filesystem::exists(free));
  EXPECT_TRUE(std::filesystem::exists(held));
}
