// tvk under concurrent use, hostile input and failing disks, each time through real processes and real files.
#include "TvkFixture.h"

#include "media/ZIPStream.h"
#include "platform/Streams.h"
#include "support/FileHolder.h"
#include "support/PipeFile.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <thread>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {
class TvkRobustness : public TTvkFixture {
protected:
  // Hidden files in the app folder: temporary files a save left behind.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> found;
    for (const auto &item : std::filesystem::directory_iterator(app.Path()))
      if (item.path().filename().string()[0] == '.')
        found.push_back(item.path().filename().string());
    return found;
  }
  std::string RandomFile(const std::string &name, std::size_t size) {
    std::string bytes(size, '\0');
    std::mt19937_64 random(7);
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
      const uint64_t value = random();
      std::copy_n(reinterpret_cast<const char *>(&value), 8, bytes.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return app.WriteFile(name, bytes);
  }
};

// Waits until process pid has path's current file open. Windows tells no process which files another has
// open, so there the process gets a moment instead.
void AwaitOpen(pid_t pid, const std::string &path) {
#ifdef _WIN32
  (void)pid, (void)path;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
#else
  const auto hasOpen = [&] {
    std::error_code ignored;
    for (const auto &link : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ignored))
      if (std::filesystem::equivalent(link.path(), path, ignored))
        return true;
    return false;
  };
  while (!hasOpen())
    std::this_thread::yield();
#endif
}
} // namespace

TEST_F(TvkRobustness, TwentyRoundsOfTwoSimultaneousAddsKeepEveryEntry) {
  NewContainer({a});
  for (int round = 0; round < 20; ++round) {
    const std::string first = app.WriteFile("in/r" + std::to_string(round) + "a.bmp", "x");
    const std::string second = app.WriteFile("in/r" + std::to_string(round) + "b.bmp", "y");
    TTvkProcess one({"add", Container(), first});
    TTvkProcess two({"add", Container(), second});
    const TTvkRun runOne = one.Finish(), runTwo = two.Finish();
    ASSERT_EQ(runOne.Status, 0) << runOne.Err;
    ASSERT_EQ(runTwo.Status, 0) << runTwo.Err;
  }
  EXPECT_EQ(Rows().size(), 41u);
  EXPECT_TRUE(Leftovers().empty());
}

// Another editor holds the container while tvk add starts, then renames its own new version into place:
// tvk waits, notices the file it locked is no longer the container, and adds to the new one.
TEST_F(TvkRobustness, AnEditWaitsForTheLockAndTakesItAgainOnARenamedFile) {
  NewContainer({a});
  TFileHolder held(Container());
  TTvkProcess adding({"add", Container(), b});
  AwaitOpen(adding.Pid(), Container());
  NewContainer({a, c}, "2", app.File("other.tvk"));
  const std::error_code renamed = RenameOverHeld(app.File("other.tvk"), Container());
  held.Release();
  ASSERT_FALSE(renamed) << renamed.message();
  const TTvkRun run = adding.Finish();
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].substr(0, 4), "2\tc\t");
  EXPECT_EQ(rows[2].substr(0, 4), "3\tb\t");
}

TEST_F(TvkRobustness, SignalsDuringASaveLeaveTheOldContainerAndNoTemporaryFiles) {
  NewContainer({a});
  const std::string before = TTempAppFolder::ReadFile(Container());
  const std::string big = RandomFile("in/big.bmp", 48 << 20);
#ifdef _WIN32 // Ctrl+Break, the console's own event, stands for them
  for (const int signalNumber : {SIGBREAK}) {
#else
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
#endif
    TTvkProcess saving({"add", Container(), big, "--level", "3"});
    while (Leftovers().empty()) // the save has begun: its temporary files are there
      std::this_thread::yield();
#ifdef _WIN32
    if (!saving.Interrupt())
      GTEST_SKIP() << "no console carries Ctrl+Break here";
    const TTvkRun run = saving.Finish();
    EXPECT_NE(run.Status, 0) << "signal " << signalNumber << ": " << run.Err;
#else
    ::kill(saving.Pid(), signalNumber);
    const TTvkRun run = saving.Finish();
    EXPECT_EQ(run.Signal, signalNumber) << run.Status << " " << run.Err;
#endif
    EXPECT_EQ(TTempAppFolder::ReadFile(Container()), before);
    EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
  }
}

TEST_F(TvkRobustness, AFullDiskFailsNamingTheContainerAndTheReason) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file size limit to stand in for a full disk";
#else
  NewContainer({a});
  const std::string before = TTempAppFolder::ReadFile(Container());
  const std::string big = RandomFile("in/big.bmp", 1 << 20);
  TTvkProcess limited({"add", Container(), big, "--level", "0"}, "", [] {
    const rlimit limit{256 << 10, 256 << 10};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  });
  const TTvkRun run = limited.Finish();
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "tvk add: Nelze zapsat soubor \"" + Container() + "\": File too large\n");
  EXPECT_EQ(TTempAppFolder::ReadFile(Container()), before);
  EXPECT_TRUE(Leftovers().empty());
#endif
}

// The same on a real small file system, where one can be mounted (root in a container often may not).
TEST_F(TvkRobustness, AFullTmpfsGivesNoSpaceLeftOnDevice) {
#ifdef _WIN32
  GTEST_SKIP() << "tmpfs is Linux's";
#endif
  const std::string mountPoint = app.File("small");
  std::filesystem::create_directory(mountPoint);
  if (std::system(("mount -t tmpfs -o size=256k tmpfs " + mountPoint + " 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  const std::string target = mountPoint + "/hra.tvk";
  NewContainer({a}, "2", target);
  const std::string before = TTempAppFolder::ReadFile(target);
  const TTvkRun run = RunTvk({"add", target, RandomFile("in/big.bmp", 1 << 20), "--level", "0"});
  std::vector<std::string> left;
  for (const auto &item : std::filesystem::directory_iterator(mountPoint))
    left.push_back(item.path().filename().string());
  const std::string after = TTempAppFolder::ReadFile(target);
  std::system(("umount " + mountPoint).c_str());
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "tvk add: Nelze zapsat soubor \"" + target + "\": No space left on device\n");
  EXPECT_EQ(after, before);
  EXPECT_EQ(left, std::vector<std::string>{"hra.tvk"});
}

TEST_F(TvkRobustness, WhatIsNoRegularFileIsRefusedAtOnce) {
  NewContainer({a});
  const TPipeFile pipe(app.File("in"), "pipe.bmp");
  const std::string fifo = pipe.Path();
#ifdef _WIN32
  const std::string procFile = app.File("in"), nullDevice = "NUL"; // no /proc there: the folder twice
#else
  const std::string procFile = "/proc/self/status", nullDevice = "/dev/null";
#endif
  const std::string before = TTempAppFolder::ReadFile(Container());
  for (const std::vector<std::string> &arguments : std::vector<std::vector<std::string>>{
           {"list", fifo}, {"verify", fifo}, {"add", fifo, b}, {"add", Container(), fifo},
           {"add", Container(), procFile}, {"replace", Container(), "a", fifo},
           {"new", "--images", "-o", app.File("new.tvk"), fifo}, {"verify", app.File("in")}}) {
    const TTvkRun run = RunTvk(arguments); // a FIFO opened for reading would block here for ever
    EXPECT_EQ(run.Status, 1) << arguments[0] << " " << arguments[1];
    EXPECT_NE(run.Err.find("ne obyčejný soubor"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(TTempAppFolder::ReadFile(Container()), before);
  EXPECT_FALSE(std::filesystem::exists(app.File("new.tvk")));
  EXPECT_EQ(RunTvk({"new", "--images", "-o", nullDevice, a}).Status, 1);
}

TEST_F(TvkRobustness, NamesWindows1250CannotHoldAreRefusedNamingTheFile) {
  const std::string japanese = app.WriteFile("in/画像.bmp", "ABC");
  const TTvkRun run = RunTvk({"new", "--images", "-o", Container(), a, japanese});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("\"画像.bmp\""), std::string::npos) << run.Err;
  EXPECT_FALSE(std::filesystem::exists(Container()));
}

TEST_F(TvkRobustness, NamesCannotForgeRowsOrDriveTheTerminal) {
  const std::string hostile = ContainerOfNames(
      {"good", "two\nrows", "\x1b[31mred", "tab\there", std::string("cut\0short", 9), "a\\x0ab"}, "hostile.tvk");
  const TTvkRun list = RunTvk({"list", hostile});
  ASSERT_EQ(list.Status, 0) << list.Err;
  EXPECT_EQ(std::count(list.Out.begin(), list.Out.end(), '\n'), 2 + 6);
  EXPECT_EQ(list.Out.find('\x1b'), std::string::npos);
  EXPECT_NE(list.Out.find("2\ttwo\\x0arows\t.BMP"), std::string::npos) << list.Out;
  EXPECT_NE(list.Out.find("4\ttab\\x09here\t"), std::string::npos) << list.Out;
  EXPECT_NE(list.Out.find("5\tcut\\x00short\t"), std::string::npos) << list.Out;
  // A literal backslash is escaped too, so the name a\x0ab never reads as a line break.
  EXPECT_NE(list.Out.find("6\ta\\x5cx0ab\t"), std::string::npos) << list.Out;
  // Extract refuses control characters as it refuses separators, prints the name escaped and writes nothing,
  // not even the good entry before it.
  const TTvkRun extract = RunTvk({"extract", hostile, "-d", app.File("out")});
  EXPECT_EQ(extract.Status, 1);
  EXPECT_NE(extract.Err.find("\"two\\x0arows.BMP\""), std::string::npos) << extract.Err;
  EXPECT_FALSE(std::filesystem::exists(app.File("out")));
  const TTvkRun set = RunTvk({"set", hostile, "--at", "5", "volume=1"});
  EXPECT_EQ(set.Status, 2) << set.Err; // volume is no attribute of images: a usage error, not a crash
}

TEST_F(TvkRobustness, EntriesSharingANameAreAddressedByPosition) {
  const std::string other = app.WriteFile("in2/a.bmp", "WXYZ");
  const std::string same = app.WriteFile("in3/a.bmp", "ABC");
  NewContainer({a, other, same});
  const TTvkRun ambiguous = RunTvk({"set", Container(), "a", "transparent=False"});
  EXPECT_EQ(ambiguous.Status, 1);
  EXPECT_NE(ambiguous.Err.find("--at N"), std::string::npos) << ambiguous.Err;

  // Entries 1 and 3 share name and size: each still takes its own values.
  ASSERT_EQ(RunTvk({"set", Container(), "--at", "1", "color=clRed"}).Status, 0);
  ASSERT_EQ(RunTvk({"set", Container(), "--at", "3", "transparent=False"}).Status, 0);
  std::vector<std::string> rows = Rows();
  EXPECT_EQ(rows, (std::vector<std::string>{"1\ta\t.BMP\t3\tTrue\tclRed\t0\t0\t0\t0",
                                            "2\ta\t.BMP\t4\tTrue\tclBlack\t0\t0\t0\t0",
                                            "3\ta\t.BMP\t3\tFalse\tclBlack\t0\t0\t0\t0"}));
  ASSERT_EQ(RunTvk({"move", Container(), "--at", "2", "--up"}).Status, 0);
  ASSERT_EQ(RunTvk({"replace", Container(), "--at", "3", c}).Status, 0);
  ASSERT_EQ(RunTvk({"remove", Container(), "--at", "2"}).Status, 0);
  rows = Rows();
  EXPECT_EQ(rows, (std::vector<std::string>{"1\ta\t.BMP\t4\tTrue\tclBlack\t0\t0\t0\t0",
                                            "2\ta\t.BMP\t5\tFalse\tclBlack\t0\t0\t0\t0"}));
  EXPECT_EQ(RunTvk({"remove", Container(), "--at", "3"}).Status, 2);
}

TEST_F(TvkRobustness, VerifyComparesLocalHeadersAndRefusesTwoMediaEntries) {
  NewContainer({a, b});
  std::string bytes = TTempAppFolder::ReadFile(Container());
  bytes[14] ^= 1; // the local header's CRC-32 only
  const TTvkRun crc = RunTvk({"verify", app.WriteFile("crc.tvk", bytes)});
  EXPECT_EQ(crc.Status, 1);
  EXPECT_NE(crc.Err.find("(CRC-32)"), std::string::npos) << crc.Err;

  // The same archive with its one entry listed twice in the central directory.
  const std::string original = TTempAppFolder::ReadFile(Container());
  const std::size_t header = 46 + 7, directory = original.size() - 22 - header;
  std::string end = original.substr(original.size() - 22);
  end[8] = end[10] = 2;
  end[12] = static_cast<char>(2 * header);
  const std::string twice = original.substr(0, directory + header) + original.substr(directory, header) + end;
  const TTvkRun duplicate = RunTvk({"verify", app.WriteFile("twice.tvk", twice)});
  EXPECT_EQ(duplicate.Status, 1);
  EXPECT_NE(duplicate.Err.find("více položek „Media.m“"), std::string::npos) << duplicate.Err;
}

// 1.35 million empty records deflate to some 50 KB; reading them must stay within 320 MiB. (Their time is
// measured by bench/robustness.sh.) A sanitizer build's own shadow memory says nothing of ours.
#ifdef __SANITIZE_ADDRESS__
constexpr long memoryBoundKiB = 4096 * 1024;
#else
constexpr long memoryBoundKiB = 320 * 1024;
#endif
TEST_F(TvkRobustness, AMillionRecordsAreListedAndVerifiedInBoundedMemory) {
  constexpr std::size_t records = 1350000;
  std::string stream(1, '\0');
  stream.reserve(1 + records * 37);
  const std::string record = std::string(8, '\0') + '\0' + std::string(6, '\0') + std::string(22, '\0');
  for (std::size_t i = 0; i < records; ++i)
    stream += record;
  TZip zip;
  zip.AddEntry("Media.m", stream.data(), 3, static_cast<uint32_t>(stream.size()));
  {
    TFileStream target(Container(), TFileMode::fmCreate);
    zip.WriteTo(target);
  }
  EXPECT_LT(std::filesystem::file_size(Container()), 100000u);
  const TTvkRun verify = RunTvk({"verify", Container()});
  EXPECT_EQ(verify.Status, 0) << verify.Err;
  EXPECT_LE(verify.MaxRssKiB, memoryBoundKiB);
  const TTvkRun list = RunTvk({"list", Container()});
  EXPECT_EQ(list.Status, 0) << list.Err;
  EXPECT_EQ(std::count(list.Out.begin(), list.Out.end(), '\n'), static_cast<long>(records + 2));
  EXPECT_LE(list.MaxRssKiB, memoryBoundKiB);
}
