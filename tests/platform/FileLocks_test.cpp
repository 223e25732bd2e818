// File locks: waiting for another holder, giving up after the timeout, and following a file renamed into place.
#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {
// Another holder of a file's lock, as a second process would be: an open file of its own.
struct THolder {
  int handle;
  explicit THolder(const std::string &path) : handle(::open(path.c_str(), O_RDONLY)) { ::flock(handle, LOCK_EX); }
  ~THolder() { Release(); }
  void Release() {
    if (handle >= 0)
      ::close(handle);
    handle = -1;
  }
};

bool Locked(const std::string &path) {
  const int handle = ::open(path.c_str(), O_RDONLY);
  const bool locked = ::flock(handle, LOCK_EX | LOCK_NB) != 0;
  ::close(handle);
  return locked;
}

// How many descriptors of this process are open on path's current file.
int OpenedHere(const std::string &path) {
  int count = 0;
  for (const auto &link : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ignored;
    count += std::filesystem::equivalent(link.path(), path, ignored);
  }
  return count;
}
} // namespace

TEST(FileLocks, TheLockIsHeldUntilDroppedAndAMissingFileLocksNothing) {
  TTempAppFolder folder;
  const std::string path = folder.WriteFile("x.tvk", "a");
  {
    TFileLock lock(path, std::chrono::milliseconds(0));
    EXPECT_TRUE(lock.Held());
    EXPECT_TRUE(Locked(path));
  }
  EXPECT_FALSE(Locked(path));
  EXPECT_FALSE(TFileLock(folder.File("missing.tvk"), std::chrono::milliseconds(0)).Held());
}

TEST(FileLocks, AWaitThatRunsOutNamesTheFile) {
  TTempAppFolder folder;
  const std::string path = folder.WriteFile("x.tvk", "a");
  THolder other(path);
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
  THolder other(path);
  std::thread waiter([&] {
    TFileLock lock(path, std::chrono::seconds(30));
    EXPECT_EQ(TTempAppFolder::ReadFile(path), "new");
    EXPECT_TRUE(Locked(path));
  });
  // The holder's and the waiter's descriptor; a waiter that never opens the file fails here instead of hanging.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (OpenedHere(path) < 2 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_GE(OpenedHere(path), 2) << "the waiter never opened the file";
  // The waiter has the old file open: now the holder finishes its edit.
  folder.WriteFile("x.tvk.new", "new");
  std::filesystem::rename(folder.File("x.tvk.new"), path);
  other.Release();
  waiter.join();
}

TEST(FileLocks, RemoveIfUnlockedKeepsHeldFilesAndForeignKinds) {
  TTempAppFolder folder;
  const std::string free = folder.WriteFile("free", "a");
  const std::string held = folder.WriteFile("held", "a");
  THolder holder(held);
  std::filesystem::create_symlink(free, folder.File("link"));
  EXPECT_TRUE(RemoveIfUnlocked(free));
  EXPECT_FALSE(RemoveIfUnlocked(held));
  EXPECT_FALSE(RemoveIfUnlocked(folder.File("link")));
  EXPECT_TRUE(RemoveIfUnlocked(folder.File("missing")));
  EXPECT_FALSE(std::filesystem::exists(free));
  EXPECT_TRUE(std::filesystem::exists(held));
}
