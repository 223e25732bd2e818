// tvk never destroys a file it did not make, and what it writes it can read back: real processes on real files.
#include "TvkFixture.h"

#include "media/ZIPStream.h"
#include "platform/Streams.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
class TvkSafety : public TTvkFixture {
protected:
  // Runs tvk as the unprivileged user nobody, who cannot pass over permissions as root can.
  static void AsNobody() {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0)
      ::_exit(126);
  }
  void NeedRoot() {
    if (::getuid() != 0)
      GTEST_SKIP() << "needs root to act as another user";
    fs::permissions(app.Path(), fs::perms::all); // nobody may enter and write the app folder
  }
  // A container of image entries named here byte for byte, 2 data bytes each.
  std::string ContainerOfNames(const std::vector<std::string> &names) {
    std::string stream(1, '\0');
    for (const std::string &name : names)
      stream += std::string("\x02\0\0\0\0\0\0\0", 8) + static_cast<char>(name.size()) + name +
                std::string("\x04.BMP\0", 6) + std::string(22, '\0') + "hi";
    TZip zip;
    zip.AddEntry("Media.m", stream.data(), 0, static_cast<uint32_t>(stream.size()));
    TFileStream target(app.File("names.tvk"), TFileMode::fmCreate);
    zip.WriteTo(target);
    return app.File("names.tvk");
  }
  static struct stat StatOf(const std::string &path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
  }
};
} // namespace

TEST_F(TvkSafety, TheUsersDotFilesSurviveASaveAndAKilledSavesLeftoversGo) {
  NewContainer({a});
  const std::string backup = app.WriteFile(".x.tvk.backup", "notes");
  const std::string sixLetters = app.WriteFile(".x.tvk.Ab12Cd", "mine too");
  const std::string big = app.WriteFile("in/big.bmp", std::string(48 << 20, 'x'));
  TTvkProcess killed({"add", Container(), big, "--level", "3"});
  auto leftovers = [&] {
    std::vector<std::string> found;
    for (const auto &item : fs::directory_iterator(app.Path()))
      if (item.path().filename().string().starts_with(".x.tvk.tvk-tmp-"))
        found.push_back(item.path().string());
    return found;
  };
  while (leftovers().empty())
    std::this_thread::yield();
  ::kill(killed.Pid(), SIGKILL); // no handler runs: the temporary files stay behind
  EXPECT_EQ(killed.Finish().Signal, SIGKILL);
  ASSERT_FALSE(leftovers().empty());
  const TTvkRun run = RunTvk({"add", Container(), b});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(leftovers().empty());
  EXPECT_EQ(TTempAppFolder::ReadFile(backup), "notes");
  EXPECT_EQ(TTempAppFolder::ReadFile(sixLetters), "mine too");
  EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(TvkSafety, NewRefusesAnExistingFileAndNeverWritesOverItsOwnSource) {
  const std::string notes = app.WriteFile("notes.txt", "my notes");
  fs::create_symlink(notes, app.File("link.tvk"));
  for (const std::string &out : std::vector<std::string>{notes, app.File("link.tvk")}) {
    const TTvkRun run = RunTvk({"new", "--images", "-o", out, a});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("--overwrite"), std::string::npos) << run.Err;
  }
  const TTvkRun self = RunTvk({"new", "--images", "--overwrite", "-o", a, a});
  EXPECT_EQ(self.Status, 1);
  EXPECT_NE(self.Err.find("zároveň"), std::string::npos) << self.Err;
  EXPECT_EQ(TTempAppFolder::ReadFile(notes), "my notes");
  EXPECT_EQ(TTempAppFolder::ReadFile(a), "ABC");
  EXPECT_TRUE(fs::is_symlink(app.File("link.tvk")));
  NewContainer({a});
  const TTvkRun replaced = RunTvk({"new", "--images", "--overwrite", "-o", Container(), b, c});
  ASSERT_EQ(replaced.Status, 0) << replaced.Err;
  EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(TvkSafety, AReplacedContainerKeepsOwnerAndModeAndOneTheUserCannotWriteIsRefused) {
  NeedRoot();
  NewContainer({a});
  ASSERT_EQ(::chown(Container().c_str(), 4321, 4321), 0);
  ASSERT_EQ(::chmod(Container().c_str(), 0640), 0);
  ASSERT_EQ(RunTvk({"add", Container(), b}).Status, 0);
  EXPECT_EQ(StatOf(Container()).st_uid, 4321u);
  EXPECT_EQ(StatOf(Container()).st_gid, 4321u);
  EXPECT_EQ(StatOf(Container()).st_mode & 07777, 0640u);

  ASSERT_EQ(::chmod(Container().c_str(), 0644), 0); // nobody may read it, not write it
  const std::string before = TTempAppFolder::ReadFile(Container());
  const TTvkRun refused = TTvkProcess({"add", Container(), c}, "", AsNobody).Finish();
  EXPECT_EQ(refused.Status, 1);
  EXPECT_NE(refused.Err.find("\"" + Container() + "\" nelze přepsat"), std::string::npos) << refused.Err;
  EXPECT_EQ(TTempAppFolder::ReadFile(Container()), before);
  EXPECT_EQ(StatOf(Container()).st_uid, 4321u);
}

TEST_F(TvkSafety, NamesTvkCouldNotExtractAreRefusedWhenAdded) {
  for (const std::string name : {"back\\slash", "tab\there", "esc\x1b[0m", "new\nline"}) {
    const std::string file = app.WriteFile("in/" + name + ".bmp", "1");
    const TTvkRun run = RunTvk({"new", "--images", "-o", Container(), a, file});
    EXPECT_EQ(run.Status, 1) << name;
    EXPECT_NE(run.Err.find("nelze přidat"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find_first_of("\t\x1b"), std::string::npos) << run.Err;
  }
  EXPECT_FALSE(fs::exists(Container()));
}

TEST_F(TvkSafety, ARefusedExtractionWritesNothing) {
  std::string longName;
  for (int i = 0; i < 200; ++i)
    longName += "\xE8"; // č: 200 bytes in the entry, 404 with ".BMP" as a UTF-8 file name
  const std::string tooLong = ContainerOfNames({"good", longName});
  const TTvkRun run = RunTvk({"extract", tooLong, "-d", app.File("out")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("404 bajtů"), std::string::npos) << run.Err;
  EXPECT_FALSE(fs::exists(app.File("out")));

  const std::string two = ContainerOfNames({"good", "second"});
  fs::create_directories(app.File("out/second.BMP"));
  const TTvkRun folder = RunTvk({"extract", two, "-d", app.File("out"), "--overwrite"});
  EXPECT_EQ(folder.Status, 1);
  EXPECT_NE(folder.Err.find("složka"), std::string::npos) << folder.Err;
  EXPECT_FALSE(fs::exists(app.File("out/good.BMP")));

  const std::string afile = app.WriteFile("afile", "");
  const TTvkRun notAFolder = RunTvk({"extract", two, "-d", afile});
  EXPECT_EQ(notAFolder.Err, "tvk extract: Nelze vytvořit složku \"" + afile + "\": Not a directory\n");
}

TEST_F(TvkSafety, VerifyChecksTheEndRecordAndTellsATruncatedFile) {
  NewContainer({a, b});
  const std::string good = TTempAppFolder::ReadFile(Container());
  std::string badSize = good;
  const std::size_t sizeField = good.size() - 22 + 12;
  badSize.replace(sizeField, 4, std::string("\x35\x00\xFF\x00", 4)); // 0xFF0035 bytes of directory
  const std::string bad = app.WriteFile("bad.tvk", badSize);
  for (const std::vector<std::string> &command : std::vector<std::vector<std::string>>{{"verify", bad}, {"add", bad, c}}) {
    const TTvkRun run = RunTvk(command);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("záznamu o konci archivu nesouhlasí"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(TTempAppFolder::ReadFile(bad), badSize);
  const TTvkRun cut = RunTvk({"verify", app.WriteFile("cut.tvk", good.substr(0, good.size() - 1))});
  EXPECT_EQ(cut.Status, 1);
  EXPECT_NE(cut.Err.find("zkrácený"), std::string::npos) << cut.Err;
}

TEST_F(TvkSafety, ErrorsNameTheUsersFileNotOurTemporaryOne) {
  NeedRoot();
  NewContainer({a});
  fs::create_directories(app.File("locked"));
  const std::string inLocked = app.File("locked/c.tvk");
  fs::copy_file(Container(), inLocked);
  fs::permissions(inLocked, fs::perms::all);
  fs::permissions(app.File("locked"), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                          fs::perms::others_read | fs::perms::others_exec);
  const TTvkRun run = TTvkProcess({"add", inLocked, b}, "", AsNobody).Finish();
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("\"" + inLocked + "\""), std::string::npos) << run.Err;
  EXPECT_EQ(run.Err.find("tvk-tmp"), std::string::npos) << run.Err;
}

// An installed tvk on a machine where the editor never ran reads the shipped defaults.
TEST_F(TvkSafety, AFreshInstallReadsTheShippedConfigIni) {
  fs::create_directories(app.File("usr/bin"));
  fs::create_directories(app.File("usr/share/tovrikeditor"));
  fs::copy_file(std::string(TOVRIK_BIN_DIR) + "/tvk", app.File("usr/bin/tvk"));
  fs::copy_file(std::string(TOVRIK_SOURCE_DIR) + "/data/config.ini", app.File("usr/share/tovrikeditor/config.ini"));
  const std::string command = "cd " + app.File("in") + " && env -u TOVRIK_HOME HOME=" + app.File("home") +
                              " XDG_CONFIG_HOME=" + app.File("config") + " " + app.File("usr/bin/tvk") +
                              " new --images -o n.tvk a.bmp 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(fs::exists(app.File("in/n.tvk")));
  EXPECT_FALSE(fs::exists(app.File("config/TovrikEditor/config.ini"))) << "read, not copied";
}

TEST_F(TvkSafety, SmallOnesAtPositionsAndLevels) {
  NewContainer({a, b});
  for (const std::string at : {"0x1", "$1", " 1", "+1"})
    EXPECT_EQ(RunTvk({"set", Container(), "--at", at, "transparent=False"}).Status, 2) << at;
  EXPECT_EQ(RunTvk({"set", Container(), "--at", "1", "--at", "2", "transparent=False"}).Status, 2);
  const TTvkRun both = RunTvk({"set", Container(), "a", "--at", "1", "transparent=False"});
  EXPECT_EQ(both.Status, 2);
  EXPECT_NE(both.Err.find("exclude each other"), std::string::npos) << both.Err;

  const auto before = fs::last_write_time(Container());
  const TTvkRun first = RunTvk({"move", Container(), "--at", "1", "--up"});
  EXPECT_EQ(first.Status, 0) << first.Err;
  EXPECT_NE(first.Out.find("beze změny"), std::string::npos) << first.Out;
  EXPECT_EQ(fs::last_write_time(Container()), before);

  // A level outside 0-3 means normal, as one that is no number does; lines may end with CR alone.
  for (const std::string level : {"-1", "7", "text"}) {
    app.WriteFile("config.ini", "[ImageFileExts]\rCount=1\rExt0=.BMP\r[Zip]\rCompressionLevel=" + level + "\r");
    fs::remove(Container());
    ASSERT_EQ(RunTvk({"new", "--images", "-o", Container(), a}).Status, 0) << level;
    EXPECT_NE(RunTvk({"info", Container()}).Out.find("level 2"), std::string::npos) << level;
  }
}
