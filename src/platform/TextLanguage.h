// The language of the program's own texts: Czech, in which every text is written, or English.
#pragma once

#include <string>

enum class TLanguage { Czech, English };

// Chosen once at start (the editor's setting, or TOVRIK_LANG); Czech until then.
void SetTextLanguage(TLanguage language);
TLanguage TextLanguage();

// The language of a code "cs" or "en" (any letter case, a region such as "en_GB" allowed); fallback otherwise.
TLanguage LanguageOfCode(const std::string &code, TLanguage fallback);
// "cs" or "en".
const char *LanguageCode(TLanguage language);
// The chosen language's decimal separator: Czech writes a comma, English a point.
char DecimalSeparator();

// czech in the chosen language: itself in Czech, its English entry in English (itself when it has none).
// Formatting patterns are translated before they are filled, so "%s" keeps its place in each language.
const char *Translated(const char *czech);
std::string Translated(const std::string &czech);
