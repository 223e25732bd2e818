// tvk never destroys a file it did not make, and what it writes it can read back: real processes on real files.
#include "TvkFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <thread>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
class TvkSafety : public TTvkFixture {
protected:
#ifndef _WIN32
  // tvk as the unprivileged user nobody, who cannot pass over permissions as root can.
  static TTvkRun AsNobody(const std::vector<std::string> &arguments) {
    return TTvkProcess(arguments, "", [] {
             if (::setgid(65534) != 0 || ::setuid(65534) != 0)
               ::_exit(126);
           }).Finish();
  }
  static struct stat StatOf(const std::string &path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
  }
#endif
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> found;
    for (const auto &item : fs::directory_iterator(app.Path()))
      if (item.path().filename().string().starts_with(".x.tvk.tvk-tmp-"))
        found.push_back(item.path().string());
    return found;
  }
};
} // namespace

TEST_F(TvkSafety, TheUsersDotFilesSurviveASaveAndAKilledSavesLeftoversGo) {
  NewContainer({a});
  const std::string backup = app.WriteFile(".x.tvk.backup", "notes"), old = app.WriteFile(".x.tvk.Ab12Cd", "mine");
  TTvkProcess killed({"add", Container(), app.WriteFile("in/big.bmp", std::string(48 << 20, 'x')), "--level", "3"});
  while (Leftovers().empty())
    std::this_thread::yield();
  killed.Kill(); // no handler runs: the temporary files stay behind
  EXPECT_TRUE(killed.Finish().Killed);
  ASSERT_FALSE(Leftovers().empty());
  ASSERT_EQ(RunTvk({"add", Container(), b}).Status, 0);
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_EQ(TTempAppFolder::ReadFile(backup) + TTempAppFolder::ReadFile(old), "notesmine");
}

TEST_F(TvkSafety, NewRefusesAnExistingFileAndNeverWritesOverItsOwnSource) {
  const std::string notes = app.WriteFile("notes.txt", "my notes");
#ifdef _WIN32 // symbolic links there need a privilege of their own
  const std::vector<std::string> outputs{notes};
#else
  fs::create_symlink(notes, app.File("link.tvk"));
  const std::vector<std::string> outputs{notes, app.File("link.tvk")};
#endif
  for (const std::string &out : outputs)
    EXPECT_NE(RunTvk({"new", "--images", "-o", out, a}).Err.find("--overwrite"), std::string::npos);
  EXPECT_NE(RunTvk({"new", "--images", "--overwrite", "-o", a, a}).Err.find("zároveň"), std::string::npos);
  EXPECT_EQ(TTempAppFolder::ReadFile(notes) + TTempAppFolder::ReadFile(a), "my notesABC");
#ifndef _WIN32
  EXPECT_TRUE(fs::is_symlink(app.File("link.tvk")));
#endif
  NewContainer({a});
  ASSERT_EQ(RunTvk({"new", "--images", "--overwrite", "-o", Container(), b, c}).Status, 0);
  EXPECT_EQ(Rows().size(), 2u);
}

// Also: errors name the user's file, never the temporary one that could not be made.
TEST_F(TvkSafety, AReplacedContainerKeepsOwnerAndModeAndOneTheUserCannotWriteIsRefused) {
#ifdef _WIN32
  GTEST_SKIP() << "owners and file modes are POSIX's; Windows has access lists instead";
#else
  if (::getuid() != 0)
    GTEST_SKIP() << "needs root to act as other users";
  fs::permissions(app.Path(), fs::perms::all);
  NewContainer({a});
  ASSERT_EQ(::chown(Container().c_str(), 4321, 4321) + ::chmod(Container().c_str(), 0640), 0);
  ASSERT_EQ(RunTvk({"add", Container(), b}).Status, 0);
  EXPECT_EQ(StatOf(Container()).st_uid + StatOf(Container()).st_gid, 2 * 4321u);
  EXPECT_EQ(StatOf(Container()).st_mode & 07777, 0640u);

  ASSERT_EQ(::chmod(Container().c_str(), 0644), 0); // nobody may read it, not write it
  const std::string before = TTempAppFolder::ReadFile(Container());
  EXPECT_NE(AsNobody({"add", Container(), c}).Err.find("\"" + Container() + "\" nelze přepsat"), std::string::npos);
  EXPECT_EQ(TTempAppFolder::ReadFile(Container()), before);

  const std::string locked = app.File("locked/c.tvk");
  fs::create_directories(app.File("locked"));
  fs::copy_file(Container(), locked);
  fs::permissions(locked, fs::perms::all);
  const TTvkRun run = AsNobody({"add", locked, b}); // the folder is root's: no temporary file can be made there
  EXPECT_EQ(run.Err, "tvk add: Nelze vytvořit soubor \"" + locked + "\": Permission denied\n");
#endif
}

TEST_F(TvkSafety, NamesTvkCouldNotExtractAreRefusedWhenAdded) {
#ifdef _WIN32
  GTEST_SKIP() << "control characters and backslashes cannot be in file names on Windows";
#endif
  for (const std::string name : {"back\\slash", "tab\there", "esc\x1b[0m", "new\nline"}) {
    const TTvkRun run = RunTvk({"new", "--images", "-o", Container(), a, app.WriteFile("in/" + name + ".bmp", "1")});
    EXPECT_NE(run.Err.find("nelze přidat"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find_first_of("\t\x1b"), std::string::npos) << run.Err;
  }
  EXPECT_FALSE(fs::exists(Container()));
}

TEST_F(TvkSafety, ARefusedExtractionWritesNothing) {
  const std::string longName(200, '\xE8'); // č: 200 bytes in the entry, 404 with ".BMP" as a UTF-8 file name
  const TTvkRun tooLong = RunTvk({"extract", ContainerOfNames({"good", longName}, "long.tvk"), "-d", app.File("out")});
  EXPECT_NE(tooLong.Err.find("404 bajtů"), std::string::npos) << tooLong.Err;
  EXPECT_FALSE(fs::exists(app.File("out")));

  const std::string two = ContainerOfNames({"good", "second"}, "two.tvk");
  fs::create_directories(app.File("out/second.BMP"));
  EXPECT_NE(RunTvk({"extract", two, "-d", app.File("out"), "--overwrite"}).Err.find("složka"), std::string::npos);
  EXPECT_FALSE(fs::exists(app.File("out/good.BMP")));
  EXPECT_EQ(RunTvk({"extract", two, "-d", a}).Err, "tvk extract: Nelze vytvořit složku \"" + a + "\": Not a directory\n");
}

TEST_F(TvkSafety, VerifyChecksTheEndRecordAndTellsATruncatedFile) {
  NewContainer({a, b});
  const std::string good = TTempAppFolder::ReadFile(Container());
  std::string badSize = good;
  badSize.replace(good.size() - 22 + 12, 4, std::string("\x35\x00\xFF\x00", 4)); // a directory of 0xFF0035 bytes
  const std::string bad = app.WriteFile("bad.tvk", badSize);
  for (const std::vector<std::string> &command : std::vector<std::vector<std::string>>{{"verify", bad}, {"add", bad, c}})
    EXPECT_NE(RunTvk(command).Err.find("záznamu o konci archivu nesouhlasí"), std::string::npos) << command[0];
  EXPECT_EQ(TTempAppFolder::ReadFile(bad), badSize);
  const TTvkRun cut = RunTvk({"verify", app.WriteFile("cut.tvk", good.substr(0, good.size() - 1))});
  EXPECT_NE(cut.Err.find("zkrácený"), std::string::npos) << cut.Err;
}

// An installed tvk on a machine where the editor never ran reads the shipped defaults, and copies nothing.
TEST_F(TvkSafety, AFreshInstallReadsTheShippedConfigIni) {
#ifdef _WIN32
  GTEST_SKIP() << "the installed layout (usr/bin, usr/share) is POSIX's; on Windows config.ini ships beside tvk.exe";
#endif
  fs::create_directories(app.File("usr/bin"));
  fs::create_directories(app.File("usr/share/tovrikeditor"));
  fs::copy_file(std::string(TOVRIK_BIN_DIR) + "/tvk", app.File("usr/bin/tvk"));
  fs::copy_file(std::string(TOVRIK_SOURCE_DIR) + "/data/config.ini", app.File("usr/share/tovrikeditor/config.ini"));
  EXPECT_EQ(std::system(("cd " + app.File("in") + " && env -u TOVRIK_HOME HOME=" + app.File("home") +
                         " XDG_CONFIG_HOME=" + app.File("config") + " ../usr/bin/tvk new --images -o n.tvk a.bmp")
                            .c_str()),
            0);
  EXPECT_TRUE(fs::exists(app.File("in/n.tvk")));
  EXPECT_FALSE(fs::exists(app.File("config")));
}

TEST_F(TvkSafety, SmallOnesAtPositionsAndLevels) {
  NewContainer({a, b});
  for (const std::string at : {"0x1", "$1", " 1", "+1"})
    EXPECT_EQ(RunTvk({"set", Container(), "--at", at, "transparent=False"}).Status, 2) << at;
  EXPECT_EQ(RunTvk({"set", Container(), "--at", "1", "--at", "2", "transparent=False"}).Status, 2);
  EXPECT_NE(RunTvk({"set", Container(), "a", "--at", "1", "x=1"}).Err.find("exclude each other"), std::string::npos);
  const auto before = fs::last_write_time(Container());
  const TTvkRun first = RunTvk({"move", Container(), "--at", "1", "--up"});
  EXPECT_EQ(first.Status, 0);
  EXPECT_NE(first.Out.find("beze změny"), std::string::npos) << first.Out;
  EXPECT_EQ(fs::last_write_time(Container()), before);

  // A level outside 0-3 means normal, as one that is no number does; lines may end with CR alone.
  for (const std::string level : {"-1", "7", "text"}) {
    app.WriteFile("config.ini", "[ImageFileExts]\rCount=1\rExt0=.BMP\r[Zip]\rCompressionLevel=" + level + "\r");
    ASSERT_EQ(RunTvk({"new", "--images", "--overwrite", "-o", Container(), a}).Status, 0) << level;
    EXPECT_NE(RunTvk({"info", Container()}).Out.find("level 2"), std::string::npos) << level;
  }
}
