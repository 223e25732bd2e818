// The shipped config.ini on a first start: copied where the settings live, never over the user's own.
#include "config/DefaultConfig.h"
#include "config/ExtList.h"
#include "platform/AppFolder.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {
const std::string shipped = std::string(TOVRIK_SOURCE_DIR) + "/data/config.ini";
} // namespace

TEST(DefaultConfig, AFirstStartGetsTheShippedListsAndLevel) {
  TTempAppFolder folder;
  EXPECT_TRUE(InstallDefaultConfig(shipped));
  TExtList images("ImageFileExts"), sounds("SoundFileExts");
  images.LoadFromIni();
  sounds.LoadFromIni();
  EXPECT_EQ(images.GetFilterMask(), "*.BMP;*.DIB;*.JPG;*.JPEG;*.ICO");
  EXPECT_EQ(sounds.GetFilterMask(), "*.WAV");
  EXPECT_EQ(ReadCompressionLevel(), 2);
}

TEST(DefaultConfig, TheUsersOwnConfigIniIsNeverOverwritten) {
  TTempAppFolder folder;
  const std::string own = "[ImageFileExts]\nCount=1\nExt0=.PNG\n";
  folder.WriteFile("config.ini", own);
  EXPECT_FALSE(InstallDefaultConfig(shipped));
  EXPECT_EQ(TTempAppFolder::ReadFile(ConfigIniPath()), own);
}

TEST(DefaultConfig, MissingDefaultsChangeNothing) {
  TTempAppFolder folder;
  EXPECT_FALSE(InstallDefaultConfig(folder.File("chybi.ini")));
  EXPECT_FALSE(std::filesystem::exists(ConfigIniPath()));
}
