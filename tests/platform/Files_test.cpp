// File services and the app folder: regular files only, deletion without errors, where config.ini and Temp.tmp go.
#include "platform/AppFolder.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Streams.h"
#include "support/ChildProcess.h"
#include "support/Environment.h"
#include "support/OrdinaryUser.h"
#include "support/TempAppFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#undef DeleteFile // the system's macro, not the core's function
#else
#include <unistd.h>
#endif

TEST(Files, ExistsOnlyForRegularFiles) {
  TTempAppFolder folder;
  const std::string file = folder.WriteFile("a.bin", "abc");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(folder.Path().string()));
  EXPECT_FALSE(FileExists(folder.File("missing")));
  EXPECT_EQ(FileSize(file), 3);
  EXPECT_THROW(FileSize(folder.File("missing")), EFOpenError);
}

TEST(Files, DeleteReportsInsteadOfThrowing) {
  TTempAppFolder folder;
  const std::string file = folder.WriteFile("a.bin", "abc");
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file));
  EXPECT_FALSE(DeleteFile(folder.Path().string()));
}

TEST(Files, SplitsPaths) {
  EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
  EXPECT_EQ(ExtractFileDir("/c.txt"), "/");
  EXPECT_EQ(ExtractFileDir("c.txt"), ".");
  EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
  EXPECT_EQ(ExtractFileName("c.txt"), "c.txt");
}

TEST(AppFolder, TovrikHomeReplacesTheExecutablesFolder) {
  TTempAppFolder folder;
  SetEnvironment("TOVRIK_HOME", (folder.Path().string() + "/").c_str());
  EXPECT_EQ(AppFolder(), folder.Path().string());
  EXPECT_EQ(AppFile("help/index.html"), folder.Path().string() + "/help/index.html");
  EXPECT_EQ(ConfigIniPath(), folder.Path().string() + "/config.ini");
  EXPECT_EQ(BackingFolder(), folder.Path().string());
}

TEST(AppFolder, WithoutTovrikHomeItIsTheExecutablesFolder) {
  TTempAppFolder folder;
  UnsetEnvironment("TOVRIK_HOME");
  EXPECT_EQ(AppFolder(), ExtractFileDir(ThisProgram()));
}

TEST(AppFolder, AReadOnlyAppFolderSendsSettingsAndBackingFileToTheUsersFolders) {
  TTempAppFolder folder;
  RunAsOrdinaryUser(folder.Path(), [&] {
    const auto app = folder.Path() / "app";
    std::filesystem::create_directories(app);
    std::filesystem::permissions(app, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const std::string home = folder.Path().string();
    SetEnvironment("TOVRIK_HOME", app.string().c_str());
    SetEnvironment("XDG_CONFIG_HOME", (home + "/cfg").c_str());
    SetEnvironment("XDG_STATE_HOME", (home + "/state").c_str());
    EXPECT_EQ(ConfigIniPath(), home + "/cfg/TovrikEditor/config.ini");
    EXPECT_EQ(BackingFolder(), home + "/state/TovrikEditor");
    struct stat info {};
    ASSERT_EQ(::stat((home + "/state/TovrikEditor").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    std::filesystem::permissions(app, std::filesystem::perms::owner_all);
    folder.WriteFile("app/config.ini", "[Zip]\n");
    std::filesystem::permissions(app, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(ConfigIniPath(), app.string() + "/config.ini") << "an existing config.ini beside the program wins";
    UnsetEnvironment("XDG_CONFIG_HOME");
    UnsetEnvironment("XDG_STATE_HOME");
  });
}

namespace {
// The error text of opening path for reading, or "" when it opened.
std::string RefusalToRead(const std::string &path) {
  try {
    TFileStream file(path, TFileMode::fmOpenRead); // a FIFO opened for reading would wait for a writer
  } catch (const EFOpenError &error) {
    return error.what();
  }
  return "";
}
} // namespace

#ifdef _WIN32
// Windows' counterparts of a FIFO and a device: a named pipe and NUL.
TEST(Files, OnlyRegularFilesAreOpenedForReading) {
  TTempAppFolder folder;
  const std::string pipe = "\\\\.\\pipe\\tovrik-test-" + std::to_string(::GetCurrentProcessId());
  const HANDLE server = ::CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  EXPECT_NE(RefusalToRead(pipe).find("je to roura"), std::string::npos) << RefusalToRead(pipe);
  ::CloseHandle(server);
  EXPECT_NE(RefusalToRead(folder.Path().string()).find("je to složka"), std::string::npos);
  EXPECT_NE(RefusalToRead("NUL").find("je to zařízení"), std::string::npos) << RefusalToRead("NUL");
  EXPECT_NE(RefusalToRead(folder.File("missing")), "");
  EXPECT_NO_THROW(RequireRegularFile(folder.WriteFile("a.bin", "abc")));
  EXPECT_NO_THROW(RequireRegularFile(folder.File("missing")));
}
#else
TEST(Files, OnlyRegularFilesAreOpenedForReading) {
  TTempAppFolder folder;
  const std::string fifo = folder.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto refusal = RefusalToRead;
  EXPECT_EQ(refusal(fifo), "Soubor \"" + fifo + "\" nelze otevřít: je to roura (FIFO), ne obyčejný soubor.");
  EXPECT_NE(refusal(folder.Path().string()).find("je to složka"), std::string::npos);
  EXPECT_NE(refusal("/dev/zero").find("je to zařízení"), std::string::npos);
  EXPECT_NE(refusal("/proc/self/status").find("/proc"), std::string::npos);
  EXPECT_NE(refusal(folder.File("missing")).find("No such file"), std::string::npos);
  EXPECT_NO_THROW(RequireRegularFile(folder.WriteFile("a.bin", "abc")));
  EXPECT_NO_THROW(RequireRegularFile(folder.File("missing")));
  EXPECT_THROW(FileSize(fifo), EFOpenError);
}
#endif

TEST(Files, IdentityTellsARewriteOrAReplacementFromTheSameFile) {
  TTempAppFolder folder;
  const std::string file = folder.WriteFile("a.tvk", "abc");
  const std::optional<TFileIdentity> first = IdentityOf(file);
  ASSERT_TRUE(first);
  EXPECT_EQ(IdentityOf(file), first);
  {
    TFileStream stream(file, TFileMode::fmOpenRead);
    EXPECT_EQ(IdentityOf(stream.Handle()), *first);
  }
  folder.WriteFile("b.tvk", "abc");
  std::filesystem::rename(folder.File("b.tvk"), file); // same size, another inode
  EXPECT_NE(IdentityOf(file), first);
  const TFileIdentity renamed = *IdentityOf(file);
  folder.WriteFile("a.tvk", "abcd");
  EXPECT_NE(IdentityOf(file), renamed);
  EXPECT_EQ(IdentityOf(folder.File("missing")), std::nullopt);
}

TEST(Files, TheUmaskIsReadWithoutChangingIt) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file creation mask";
#else
  const mode_t mask = ::umask(027);
  EXPECT_EQ(ProcessUmask(), mask); // read at start-up, before this test changed it
  ::umask(mask);
#endif
}

TEST(Files, AnInstalledProgramIsKnownByItsShareFolder) {
  TTempAppFolder folder;
  std::filesystem::create_directories(folder.Path() / "bin");
  const std::string bin = (folder.Path() / "bin").string();
  EXPECT_FALSE(IsInstalledProgramFolder(bin));
  folder.WriteFile("share/tovrikeditor/config.ini", "[Zip]\n");
  EXPECT_TRUE(IsInstalledProgramFolder(bin));
  // With TOVRIK_HOME the folder is the user's own: config.ini stays there even beside an installed layout.
  EXPECT_EQ(ConfigIniPath(), folder.File("config.ini"));
}
