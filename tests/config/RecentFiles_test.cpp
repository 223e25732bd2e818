// The recent-files list in config.ini: newest first, no repeats, eight at most, other sections untouched.
#include "config/RecentFiles.h"
#include "platform/AppFolder.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

using Paths = std::vector<std::string>;

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostEight) {
  TTempAppFolder folder;
  EXPECT_TRUE(LoadRecentFiles().empty());
  for (int n = 1; n <= 10; ++n)
    RememberRecentFile("/data/hra" + std::to_string(n) + ".tvk");
  const Paths eight = LoadRecentFiles();
  ASSERT_EQ(eight.size(), 8u);
  EXPECT_EQ(eight.front(), "/data/hra10.tvk");
  EXPECT_EQ(eight.back(), "/data/hra3.tvk");

  RememberRecentFile("/data/hra5.tvk");
  const Paths moved = LoadRecentFiles();
  ASSERT_EQ(moved.size(), 8u);
  EXPECT_EQ(moved[0], "/data/hra5.tvk");
  EXPECT_EQ(moved[1], "/data/hra10.tvk");
  EXPECT_EQ(std::count(moved.begin(), moved.end(), "/data/hra5.tvk"), 1);
}

TEST(RecentFiles, ForgettingKeepsTheOrderAndLeavesNoStaleKeyBehind) {
  TTempAppFolder folder;
  for (const char *path : {"/a.tvk", "/b.tvk", "/c.tvk"})
    RememberRecentFile(path);
  ForgetRecentFile("/b.tvk");
  ForgetRecentFile("/nikdy.tvk");
  EXPECT_EQ(LoadRecentFiles(), (Paths{"/c.tvk", "/a.tvk"}));
  const std::string ini = TTempAppFolder::ReadFile(ConfigIniPath());
  EXPECT_EQ(ini.find("b.tvk"), std::string::npos) << ini;
}

TEST(RecentFiles, TheOtherSectionsAndCzechPathsSurvive) {
  TTempAppFolder folder;
  folder.WriteFile("config.ini", "; moje poznámka\n[ImageFileExts]\nCount=1\nExt0=.BMP\n[Zip]\nCompressionLevel=3\n");
  RememberRecentFile("/home/uživatel/Hry/Šipky – zvuky.tvk");
  EXPECT_EQ(LoadRecentFiles(), (Paths{"/home/uživatel/Hry/Šipky – zvuky.tvk"}));
  const std::string ini = TTempAppFolder::ReadFile(ConfigIniPath());
  EXPECT_EQ(ini.rfind("; moje poznámka\n[ImageFileExts]\nCount=1\nExt0=.BMP\n[Zip]\nCompressionLevel=3\n", 0), 0u) << ini;
}

TEST(RecentFiles, AHandEditedSectionIsReadSafely) {
  TTempAppFolder folder;
  folder.WriteFile("config.ini", "[RecentFiles]\nCount=99999\nFile0=/a.tvk\nFile1=\nFile2=/a.tvk\nFile3=/b.tvk\n");
  EXPECT_EQ(LoadRecentFiles(), (Paths{"/a.tvk", "/b.tvk"}));
  folder.WriteFile("config.ini", "[RecentFiles]\nCount=-3\nFile0=/a.tvk\n");
  EXPECT_TRUE(LoadRecentFiles().empty());
}
