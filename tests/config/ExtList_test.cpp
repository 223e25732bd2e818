// Extension lists and the compression level in config.ini: order, duplicates, cutting, filter masks, bad input.
#include "config/ExtList.h"
#include "platform/AppFolder.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Texts(const TExtList &list) {
  std::vector<std::string> texts;
  for (const auto &ext : list.Items())
    texts.push_back(ext.Text());
  return texts;
}
} // namespace

TEST(ExtList, WithoutConfigIniListsAreEmptyAndTheLevelIsTwo) {
  TTempAppFolder folder;
  TExtList images("ImageFileExts");
  images.LoadFromIni();
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(images.GetFilterMask(), "*");
  EXPECT_EQ(ReadCompressionLevel(), 2);
}

TEST(ExtList, RemoveMovesTheLastIntoTheGapAndSavingLeavesOldKeys) {
  TTempAppFolder folder;
  TScriptedPrompt prompt;
  TExtList images("ImageFileExts");
  for (const char *ext : {".BMP", ".JPG", ".PNG"})
    images.Add(ext);
  EXPECT_EQ(images.GetFilterMask(), "*.BMP;*.JPG;*.PNG");
  images.SaveToIni();
  images.Remove(".BMP");
  images.Remove(".GIF");
  EXPECT_EQ(Texts(images), (std::vector<std::string>{".PNG", ".JPG"}));
  images.SaveToIni();
  EXPECT_EQ(TTempAppFolder::ReadFile(ConfigIniPath()),
            "[ImageFileExts]\nCount=2\nExt0=.PNG\nExt1=.JPG\nExt2=.PNG\n");
  TExtList reloaded("ImageFileExts");
  reloaded.LoadFromIni();
  EXPECT_EQ(Texts(reloaded), Texts(images));
  EXPECT_TRUE(prompt.Errors.empty());
}

TEST(ExtList, ExtensionsAreCutToFiveBeforeComparing) {
  TTempAppFolder folder;
  TScriptedPrompt prompt;
  TExtList images("ImageFileExts");
  images.Add(".JPEG");
  EXPECT_EQ(images.Items()[0].Text(), ".JPEG");
  images.Add(".JPEGX");
  EXPECT_EQ(prompt.Errors, std::vector<std::string>{"Seznam již tuto příponu obsahuje!"});
  EXPECT_EQ(images.Count(), 1);
  EXPECT_EQ(images.IndexOf(".JPEGX"), 0);
  EXPECT_EQ(images.IndexOf(".jpeg"), -1) << "letter case counts";
  EXPECT_EQ(images.GetFilterMask(), "*.JPEG");
}

TEST(ExtList, ListsLoadFromTheirOwnSectionsAsWritten) {
  TTempAppFolder folder;
  folder.WriteFile("config.ini", "[soundfileexts]\ncount=$2\next0=.wav\nEXT1=.MIDIFILE\n"
                                 "[ImageFileExts]\nCount=3\nExt0=.ČRT\nExt2=.PNG\n");
  TExtList sounds("SoundFileExts"), images("ImageFileExts");
  sounds.LoadFromIni();
  images.LoadFromIni();
  EXPECT_EQ(Texts(sounds), (std::vector<std::string>{".wav", ".MIDI"}));
  EXPECT_EQ(images.Count(), 3) << "a missing key gives an empty extension that stays in the list";
  EXPECT_EQ(images.Items()[0].Utf8(), ".ČRT");
  EXPECT_EQ(images.Items()[0].Text(), "\x2E\xC8RT");
  EXPECT_TRUE(images.Items()[1].Empty());
  EXPECT_EQ(images.GetFilterMask(), "*.ČRT;*;*.PNG");
}

TEST(ExtList, HandEditedCountsStayUsable) {
  TTempAppFolder folder;
  folder.WriteFile("config.ini", "[ImageFileExts]\nCount=-5\n[SoundFileExts]\nCount=2000000000\nExt0=.WAV\n"
                                 "[Zip]\nCompressionLevel=7\n");
  TExtList images("ImageFileExts"), sounds("SoundFileExts");
  images.LoadFromIni();
  sounds.LoadFromIni();
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(sounds.Count(), TExtList::MaxCount);
  EXPECT_EQ(sounds.Items()[0].Text(), ".WAV");
  EXPECT_EQ(ReadCompressionLevel(), 7) << "read as stored";
  EXPECT_EQ(ClampCompressionLevel(7), 2) << "normal, as a value that is no number";
  EXPECT_EQ(ClampCompressionLevel(-1), 2);
  EXPECT_EQ(ClampCompressionLevel(1), 1);
}

TEST(ExtList, SettingsDialogOrderOfWritingKeepsOtherContent) {
  TTempAppFolder folder;
  folder.WriteFile("config.ini", "; kept\n[Zip]\nCompressionLevel=0\n");
  TExtList images("ImageFileExts"), sounds("SoundFileExts");
  images.Add(".BMP");
  sounds.Add(".WAV");
  images.SaveToIni();
  sounds.SaveToIni();
  WriteCompressionLevel(3);
  EXPECT_EQ(ReadCompressionLevel(), 3);
  EXPECT_EQ(TTempAppFolder::ReadFile(ConfigIniPath()),
            "; kept\n[Zip]\nCompressionLevel=3\n\n[ImageFileExts]\nCount=1\nExt0=.BMP\n\n"
            "[SoundFileExts]\nCount=1\nExt0=.WAV\n");
}
