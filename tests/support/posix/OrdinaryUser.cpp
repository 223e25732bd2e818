// Runs a check as an ordinary user: in place, or as "nobody" in a forked child when this is root.
#include "support/OrdinaryUser.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The child's exit code when it cannot become an ordinary user that reaches the folder.
constexpr int CannotDropRoot = 77;

void GiveFolderTo(const std::filesystem::path &folder, uid_t user, gid_t group) {
  ::chown(folder.c_str(), user, group);
  for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
    ::lchown(entry.path().c_str(), user, group);
}

[[noreturn]] void RunInChild(const std::filesystem::path &folder, uid_t user, gid_t group,
                                    const std::function<void()> &check) {
  if (::setgroups(0, nullptr) != 0 || ::setresgid(group, group, group) != 0 || ::setresuid(user, user, user) != 0 ||
      ::geteuid() == 0 || ::access(folder.c_str(), W_OK | X_OK) != 0)
    ::_exit(CannotDropRoot);
  int code = 0;
  try {
    check();
    code = ::testing::Test::HasFailure() ? 1 : 0;
  } catch (const std::exception &e) {
    std::printf("unexpected exception: %s\n", e.what());
    code = 1;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  ::_exit(code); // no destructors: the folder belongs to the parent
}
} // namespace

void RunAsOrdinaryUser(const std::filesystem::path &folder, const std::function<void()> &check) {
  if (::geteuid() != 0) {
    check();
    return;
  }
  const passwd *nobody = ::getpwnam("nobody");
  const uid_t user = nobody ? nobody->pw_uid : 65534;
  const gid_t group = nobody ? nobody->pw_gid : 65534;
  GiveFolderTo(folder, user, group);
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0) << "cannot start a child process";
  if (child == 0)
    RunInChild(folder, user, group, check);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the check as an ordinary user ended by signal " << WTERMSIG(status);
  const int exitCode = WEXITSTATUS(status);
  if (exitCode == CannotDropRoot)
    GTEST_SKIP() << "root cannot run this check as an ordinary user here";
  EXPECT_EQ(exitCode, 0) << "the check failed as an ordinary user (its failures are printed above)";
}
