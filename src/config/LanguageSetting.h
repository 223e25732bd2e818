// The language of the interface: stored in config.ini for the editor and tvk, TOVRIK_LANG overriding it.
#pragma once

#include "platform/TextLanguage.h"

// The language stored as "Language" ("cs" or "en") in section "Interface"; Czech when missing or unknown.
TLanguage ReadLanguageSetting();
void WriteLanguageSetting(TLanguage language);
// TOVRIK_LANG ("cs" or "en") when set to one of them, the stored setting otherwise.
TLanguage ChosenLanguage();
// Makes ChosenLanguage the language of the core's texts and returns it; programs call it once at start.
TLanguage ApplyChosenLanguage();
