// Settings files: the Windows profile rules config.ini relies on, in-place writes and failed writes.
#include "platform/Exceptions.h"
#include "platform/IniFile.h"
#include "support/OrdinaryUser.h"
#include "support/TempAppFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(IniFile, MissingFileSectionOrKeyReadsTheDefault) {
  TTempAppFolder folder;
  TIniFile missing(folder.File("none.ini"));
  EXPECT_EQ(missing.ReadInteger("Zip", "CompressionLevel", 2), 2);
  EXPECT_EQ(missing.ReadString("A", "B", "x"), "x");
  TIniFile ini(folder.WriteFile("a.ini", "[Zip]\nOther=1\n"));
  EXPECT_EQ(ini.ReadInteger("Zip", "CompressionLevel", 2), 2);
  EXPECT_EQ(ini.ReadInteger("NoSection", "Other", 7), 7);
}

TEST(IniFile, AFolderUnderTheFilesNameReadsAsDefaultsAndRefusesWrites) {
  TTempAppFolder folder;
  const std::string path = folder.File("config.ini");
  std::filesystem::create_directory(path);
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("Zip", "CompressionLevel", 2), 2);
  EXPECT_THROW(ini.WriteInteger("Zip", "CompressionLevel", 3), EIniFileException);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(IniFile, SectionsAndKeysMatchRegardlessOfCaseAndSpacing) {
  TTempAppFolder folder;
  TIniFile ini(folder.WriteFile("a.ini", "; comment\r\n[ imagefileexts ]\r\n  COUNT = 3 \r\next0=.BMP\r\n"
                                         "[ImageFileExts]\r\nCount=9\r\n"));
  EXPECT_EQ(ini.ReadInteger("ImageFileExts", "Count", 0), 3) << "the first section and key of a name win";
  EXPECT_EQ(ini.ReadString("ImageFileExts", "Ext0", ""), ".BMP");
}

TEST(IniFile, IntegersAreDecimalOrHexAndAnythingElseIsTheDefault) {
  TTempAppFolder folder;
  TIniFile ini(folder.WriteFile("a.ini", "[S]\ndec=-12\nhex1=0x1F\nhex2=$ff\nword=abc\ntail=12abc\nempty=\n"
                                         "huge=99999999999\nquoted=\"5\"\n"));
  EXPECT_EQ(ini.ReadInteger("S", "dec", 0), -12);
  EXPECT_EQ(ini.ReadInteger("S", "hex1", 0), 31);
  EXPECT_EQ(ini.ReadInteger("S", "hex2", 0), 255);
  EXPECT_EQ(ini.ReadInteger("S", "word", 4), 4);
  EXPECT_EQ(ini.ReadInteger("S", "tail", 4), 4);
  EXPECT_EQ(ini.ReadInteger("S", "empty", 4), 4);
  EXPECT_EQ(ini.ReadInteger("S", "huge", 4), 4);
  EXPECT_EQ(ini.ReadInteger("S", "quoted", 4), 5);
}

TEST(IniFile, WritesReplaceInPlaceAndKeepEveryOtherLine) {
  TTempAppFolder folder;
  const std::string original = "; my settings\r\n[Other]\r\nKeep=yes\r\n\r\n[zip]\r\ncompressionlevel=1\r\n"
                               "# odd line\r\n\r\n[Last]\r\nX=1\r\n";
  TIniFile ini(folder.WriteFile("a.ini", original));
  ini.WriteInteger("Zip", "CompressionLevel", 3);
  ini.WriteString("ZIP", "New", "v");
  EXPECT_EQ(TTempAppFolder::ReadFile(ini.FileName()),
            "; my settings\r\n[Other]\r\nKeep=yes\r\n\r\n[zip]\r\ncompressionlevel=3\r\n"
            "# odd line\r\nNew=v\r\n\r\n[Last]\r\nX=1\r\n");
}

TEST(IniFile, WritesCreateTheFileAndSectionsInOrder) {
  TTempAppFolder folder;
  TIniFile ini(folder.File("sub/new.ini"));
  ini.WriteStrings("ImageFileExts", {{"Count", "1"}, {"Ext0", ".BMP"}});
  ini.WriteInteger("Zip", "CompressionLevel", 2);
  EXPECT_EQ(TTempAppFolder::ReadFile(ini.FileName()),
            "[ImageFileExts]\nCount=1\nExt0=.BMP\n\n[Zip]\nCompressionLevel=2\n");
  ini.WriteString("Zip", "Bad", "two\nlines");
  EXPECT_EQ(ini.ReadString("Zip", "Bad", ""), "two lines");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(folder.Path() / "sub"))
    ++entries;
  EXPECT_EQ(entries, 1u) << "no temporary file is left behind";
}

TEST(IniFile, AFailedWriteSaysSoAndLeavesTheFileAsItWas) {
  TTempAppFolder folder;
  RunAsOrdinaryUser(folder.Path(), [&] {
    const std::string path = folder.WriteFile("ro/config.ini", "[Zip]\nCompressionLevel=1\n");
    std::filesystem::permissions(folder.Path() / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    TIniFile ini(path);
    try {
      ini.WriteInteger("Zip", "CompressionLevel", 3);
      FAIL() << "the write reported success";
    } catch (const EIniFileException &e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(ini.ReadInteger("Zip", "CompressionLevel", 0), 1);
    std::filesystem::permissions(folder.Path() / "ro", std::filesystem::perms::owner_all);
  });
}

TEST(IniFile, AWriteWhereNoFileCanBeCreatedSaysSo) {
  TTempAppFolder folder;
  const std::string blocker = folder.WriteFile("plain", "not a folder");
  const std::string path = blocker + "/config.ini";
  try {
    TIniFile(path).WriteInteger("Zip", "CompressionLevel", 3);
    FAIL() << "the write reported success";
  } catch (const EIniFileException &e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
  EXPECT_EQ(TTempAppFolder::ReadFile(blocker), "not a folder");
}

TEST(IniFile, AnUnreadableFileIsNeverOverwritten) {
  TTempAppFolder folder;
  RunAsOrdinaryUser(folder.Path(), [&] {
    const std::string path = folder.WriteFile("config.ini", "[Keep]\nA=1\n");
    ::chmod(path.c_str(), 0200);
    EXPECT_THROW(TIniFile(path).WriteString("Zip", "CompressionLevel", "1"), EIniFileException);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(TTempAppFolder::ReadFile(path), "[Keep]\nA=1\n");
  });
}

TEST(IniFile, WritingThroughALinkKeepsTheLink) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links on Windows need a privilege of their own";
#endif
  TTempAppFolder folder;
  const std::string target = folder.WriteFile("real.ini", "[A]\nB=1\n");
  const std::string link = folder.File("link.ini");
  std::filesystem::create_symlink(target, link);
  TIniFile(link).WriteInteger("A", "B", 2);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TTempAppFolder::ReadFile(target), "[A]\nB=2\n");
}

TEST(IniFile, AByteOrderMarkIsKept) {
  TTempAppFolder folder;
  TIniFile ini(folder.WriteFile("a.ini", "\xEF\xBB\xBF[A]\nB=1\n"));
  EXPECT_EQ(ini.ReadInteger("a", "b", 0), 1);
  ini.WriteInteger("A", "B", 5);
  EXPECT_EQ(TTempAppFolder::ReadFile(ini.FileName()), "\xEF\xBB\xBF[A]\nB=5\n");
}

// Lines may end with CR alone; what is no regular file at the name is the user's: defaults, never replaced.
TEST(IniFile, OldMacLinesAreReadAndAFifoOrALoopOfLinksIsLeftAlone) {
  TTempAppFolder folder;
  TIniFile ini(folder.WriteFile("a.ini", "[ImageFileExts]\rCount=1\rExt0=.BMP\r"));
  ini.WriteInteger("ImageFileExts", "Count", 2);
  EXPECT_EQ(TTempAppFolder::ReadFile(ini.FileName()), "[ImageFileExts]\rCount=2\rExt0=.BMP\r");
#ifdef _WIN32
  GTEST_SKIP() << "FIFOs and symbolic links are POSIX's (links on Windows need a privilege of their own)";
#else
  const std::string fifo = folder.File("fifo.ini"), loop = folder.File("loop.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink(loop, loop);
  for (const std::string &path : {fifo, loop}) {
    EXPECT_EQ(TIniFile(path).ReadInteger("Zip", "CompressionLevel", 2), 2);
    EXPECT_THROW(TIniFile(path).WriteInteger("Zip", "CompressionLevel", 3), EIniFileException);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo) && std::filesystem::is_symlink(loop));
#endif
}
