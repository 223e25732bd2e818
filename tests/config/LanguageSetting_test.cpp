// The interface language in config.ini and the TOVRIK_LANG override for one run.
#include "config/LanguageSetting.h"
#include "platform/AppFolder.h"
#include "support/Environment.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// Sets TOVRIK_LANG for one test (or clears it) and puts back what was there.
class TLanguageVariable {
public:
  explicit TLanguageVariable(const char *value) {
    if (const char *old = std::getenv("TOVRIK_LANG"))
      previous = old, had = true;
    SetEnvironment("TOVRIK_LANG", value);
  }
  ~TLanguageVariable() {
    SetEnvironment("TOVRIK_LANG", had ? previous.c_str() : nullptr);
    SetTextLanguage(TLanguage::Czech);
  }

private:
  std::string previous;
  bool had = false;
};
} // namespace

TEST(LanguageSetting, CzechUntilEnglishIsStoredAndTheOtherSectionsStay) {
  TTempAppFolder folder;
  const TLanguageVariable none(nullptr);
  EXPECT_EQ(ReadLanguageSetting(), TLanguage::Czech);
  EXPECT_EQ(ChosenLanguage(), TLanguage::Czech);
  folder.WriteFile("config.ini", "[Zip]\nCompressionLevel=3\n");
  WriteLanguageSetting(TLanguage::English);
  EXPECT_EQ(ReadLanguageSetting(), TLanguage::English);
  EXPECT_EQ(TTempAppFolder::ReadFile(ConfigIniPath()), "[Zip]\nCompressionLevel=3\n\n[Interface]\nLanguage=en\n");
  WriteLanguageSetting(TLanguage::Czech);
  EXPECT_EQ(ReadLanguageSetting(), TLanguage::Czech);
}

TEST(LanguageSetting, AHandWrittenValueIsReadLeniently) {
  TTempAppFolder folder;
  const TLanguageVariable none(nullptr);
  folder.WriteFile("config.ini", "[interface]\nlanguage=EN_us\n");
  EXPECT_EQ(ReadLanguageSetting(), TLanguage::English);
  folder.WriteFile("config.ini", "[Interface]\nLanguage=klingon\n");
  EXPECT_EQ(ReadLanguageSetting(), TLanguage::Czech);
}

TEST(LanguageSetting, TheVariableOverridesTheSettingForOneRunOnly) {
  TTempAppFolder folder;
  WriteLanguageSetting(TLanguage::English);
  {
    const TLanguageVariable czech("cs");
    EXPECT_EQ(ApplyChosenLanguage(), TLanguage::Czech);
    EXPECT_EQ(TextLanguage(), TLanguage::Czech);
    EXPECT_EQ(ReadLanguageSetting(), TLanguage::English); // nothing written
  }
  {
    WriteLanguageSetting(TLanguage::Czech);
    const TLanguageVariable english("en");
    EXPECT_EQ(ApplyChosenLanguage(), TLanguage::English);
    EXPECT_EQ(TextLanguage(), TLanguage::English);
  }
  {
    // A value that names no language of the program leaves the setting in charge.
    const TLanguageVariable unknown("fr");
    EXPECT_EQ(ChosenLanguage(), TLanguage::Czech);
  }
}
