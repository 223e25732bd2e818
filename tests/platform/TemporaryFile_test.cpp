// Temporary files: the commit by rename, leftovers of killed processes, and the signals that end a save.
#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/Files.h"
#include "platform/SignalCleanup.h"
#include "platform/TemporaryFile.h"
#include "support/ChildProcess.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#ifdef _WIN32
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
std::size_t FilesIn(const std::filesystem::path &folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto &file : std::filesystem::directory_iterator(folder))
    ++count;
  return count;
}
} // namespace

TEST(TemporaryFile, CommitReplacesTheTargetAndDropDeletes) {
  TTempAppFolder folder;
  const std::string target = folder.WriteFile("x.tvk", "old");
  {
    TTemporaryFile dropped(folder.Path().string(), ".x.tvk.");
    dropped.Stream().WriteBuffer("new", 3);
  }
  EXPECT_EQ(FilesIn(folder.Path()), 1u);
  TTemporaryFile file(folder.Path().string(), ".x.tvk.");
  file.Stream().WriteBuffer("new", 3);
  file.CommitAs(target, true);
  EXPECT_EQ(TTempAppFolder::ReadFile(target), "new");
  EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(TemporaryFile, OnlyUnlockedLeftoversOfOurOwnNamingAreRemoved) {
  TTempAppFolder folder;
  const std::string dir = folder.Path().string();
  const std::string left = folder.WriteFile(".x.tvk.tvk-tmp-4242-Ab12Cd", "left by a killed save");
  const std::string otherTarget = folder.WriteFile(".y.tvk.tvk-tmp-4242-Ab12Cd", "another container's");
  const std::string longer = folder.WriteFile(".x.tvk.tvk-tmp-4242-Ab12Cde", "not our pattern");
  const std::string user = folder.WriteFile(".x.tvk.backup", "the user's, six letters as the old names had");
  const std::string noPid = folder.WriteFile(".x.tvk.tvk-tmp--Ab12Cd", "no process id");
  TTemporaryFile living(dir, ".x.tvk."); // a save still running in this or another process
  RemoveAbandonedTemporaryFiles(dir, ".x.tvk.");
  EXPECT_FALSE(std::filesystem::exists(left));
  EXPECT_TRUE(std::filesystem::exists(living.Path()));
  EXPECT_TRUE(std::filesystem::exists(otherTarget));
  EXPECT_TRUE(std::filesystem::exists(longer));
  EXPECT_TRUE(std::filesystem::exists(user));
  EXPECT_TRUE(std::filesystem::exists(noPid));
  EXPECT_TRUE(IsTemporaryFileName(ExtractFileName(living.Path()), ".x.tvk."));
}

#ifdef _WIN32
// Not run by itself: the child process of the test below, started as this program running this test alone. It
// holds two temporary files in the folder TOVRIK_HOME names until it is ended.
TEST(TemporaryFileChild, DISABLED_HoldsTwoTemporaryFilesUntilEnded) {
  InstallSignalCleanup();
  const std::string folder = std::getenv("TOVRIK_HOME");
  TTemporaryFile first(folder, ".x.tvk.");
  TTemporaryFile second(folder, ".x.tvk.");
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;)
    std::this_thread::sleep_for(std::chrono::hours(1));
}

// Windows' counterpart of the signals: Ctrl+Break to a child holding temporary files takes them along.
TEST(TemporaryFile, SignalsThatEndTheProcessTakeItsTemporaryFilesAlong) {
  TTempAppFolder folder;
  TChildProcess child(ThisProgram(), {"--gtest_filter=TemporaryFileChild.DISABLED_HoldsTwoTemporaryFilesUntilEnded",
                                      "--gtest_also_run_disabled_tests"});
  std::string line;
  while ((line = child.ReadLine()) != "ready")
    ASSERT_FALSE(line.empty()) << "the child ended before it made its files";
  EXPECT_EQ(FilesIn(folder.Path()), 2u);
  const std::optional<int> status = child.Interrupt();
  if (!status)
    GTEST_SKIP() << "no console carries Ctrl+Break here";
  EXPECT_NE(*status, 0);
  EXPECT_EQ(FilesIn(folder.Path()), 0u);
}
#else
// A child process holding a temporary file is ended by each signal in turn: the file goes with it.
TEST(TemporaryFile, SignalsThatEndTheProcessTakeItsTemporaryFilesAlong) {
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    TTempAppFolder folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      InstallSignalCleanup();
      TTemporaryFile first(folder.Path().string(), ".x.tvk.");
      TTemporaryFile second(folder.Path().string(), ".x.tvk.");
      (void)!::write(ready[1], "r", 1);
      for (;;)
        ::pause();
    }
    ::close(ready[1]);
    char byte;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(FilesIn(folder.Path()), 2u);
    ::kill(child, signalNumber);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
    EXPECT_EQ(FilesIn(folder.Path()), 0u) << "signal " << signalNumber;
  }
}

#endif

// A file size limit stands in for a full disk: the error names the file and the system's reason.
TEST(TemporaryFile, AWriteErrorNamesTheFileAndTheReason) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file size limit to stand in for a full disk";
#else
  TTempAppFolder folder;
  const std::string path = folder.File("big.bin");
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::string message = "no error";
    try {
      TFileStream file(path, TFileMode::fmCreate);
      const std::string block(10000, 'x');
      file.WriteBuffer(block.data(), static_cast<int64_t>(block.size()));
    } catch (const EWriteError &error) {
      message = error.what();
    }
    (void)!::write(report[1], message.data(), message.size());
    ::_exit(0);
  }
  ::close(report[1]);
  std::string message;
  char buffer[512];
  for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;)
    message.append(buffer, static_cast<std::size_t>(n));
  ::close(report[0]);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(message, "Nelze zapsat soubor \"" + path + "\": File too large");
#endif
}
