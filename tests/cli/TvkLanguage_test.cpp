// tvk's version and its language: the editor's setting in config.ini, TOVRIK_LANG overriding it for one run.
#include "TvkFixture.h"

#include "support/Environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace {
class TvkLanguage : public TTvkFixture {
protected:
  void TearDown() override { UnsetEnvironment("TOVRIK_LANG"); }
  void SetUp() override {
    TTvkFixture::SetUp();
    UnsetEnvironment("TOVRIK_LANG");
  }
  void StoreLanguage(const std::string &code) {
    app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n[Interface]\nLanguage=" + code + "\n");
  }
};
} // namespace

TEST_F(TvkLanguage, VersionIsOneLineOnStandardOutput) {
  const TTvkRun run = RunTvk({"--version"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_TRUE(std::regex_match(run.Out, std::regex("tvk [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.Out;
  EXPECT_EQ(run.Err, "");
  EXPECT_NE(RunTvk({"--help"}).Out.find("tvk --version"), std::string::npos);
}

TEST_F(TvkLanguage, MessagesAreCzechWithoutASetting) {
  const std::string bad = app.WriteFile("bad.tvk", "not an archive");
  EXPECT_EQ(RunTvk({"list", bad}).Err, "tvk list: Soubor není archiv ZIP.\n");
}

TEST_F(TvkLanguage, TheEditorsSettingMakesThemEnglishWithTheirValuesFilledIn) {
  StoreLanguage("en");
  NewContainer({a, b});
  EXPECT_EQ(RunTvk({"remove", Container(), "nothing"}).Err, "tvk remove: Entry nothing is not in the container.\n");
  const std::string bad = app.WriteFile("bad.tvk", "not an archive");
  EXPECT_EQ(RunTvk({"verify", bad}).Err, "tvk verify: The file is not a ZIP archive.\n");
  const std::string empty = app.WriteFile("empty.tvk", "");
  EXPECT_EQ(RunTvk({"list", empty}).Err, "tvk list: The file is empty!\n");
  EXPECT_NE(RunTvk({"info", Container()}).Out.find("deflated, level 2 (Normal)"), std::string::npos);
}

TEST_F(TvkLanguage, TheVariableOverridesTheSettingBothWays) {
  StoreLanguage("en");
  SetEnvironment("TOVRIK_LANG", "cs");
  EXPECT_EQ(RunTvk({"add", Container(), a}).Err.find("tvk add: Cannot open file"), 0u); // the system's own text
  const std::string empty = app.WriteFile("empty.tvk", "");
  EXPECT_EQ(RunTvk({"list", empty}).Err, "tvk list: Soubor je prázdný!\n");
  StoreLanguage("cs");
  SetEnvironment("TOVRIK_LANG", "en");
  EXPECT_EQ(RunTvk({"list", empty}).Err, "tvk list: The file is empty!\n");
  // The override is for the run only: config.ini still says Czech.
  UnsetEnvironment("TOVRIK_LANG");
  EXPECT_EQ(RunTvk({"list", empty}).Err, "tvk list: Soubor je prázdný!\n");
}
