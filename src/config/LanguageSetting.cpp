// The interface language kept in config.ini, and the one-run override from the environment.
#include "config/LanguageSetting.h"

#include "platform/AppFolder.h"
#include "platform/IniFile.h"

#include <cstdlib>

namespace {
const std::string section = "Interface";
const std::string languageKey = "Language";
} // namespace

TLanguage ReadLanguageSetting() {
  return LanguageOfCode(TIniFile(ConfigIniPath()).ReadString(section, languageKey, ""), TLanguage::Czech);
}

void WriteLanguageSetting(TLanguage language) {
  TIniFile(ConfigIniPath()).WriteString(section, languageKey, LanguageCode(language));
}

TLanguage ChosenLanguage() {
  const TLanguage stored = ReadLanguageSetting();
  const char *override = std::getenv("TOVRIK_LANG");
  return override ? LanguageOfCode(override, stored) : stored;
}

TLanguage ApplyChosenLanguage() {
  const TLanguage language = ChosenLanguage();
  SetTextLanguage(language);
  return language;
}
