// The chosen language and the look-up of a Czech text's English form.
#include "platform/TextLanguage.h"

#include "platform/EnglishTexts.h"

#include <algorithm>
#include <atomic>
#include <cctype>

namespace {
// Read by the deflate workers' error texts too, so it is atomic.
std::atomic<TLanguage> chosen{TLanguage::Czech};
} // namespace

void SetTextLanguage(TLanguage language) { chosen = language; }

TLanguage TextLanguage() { return chosen; }

TLanguage LanguageOfCode(const std::string &code, TLanguage fallback) {
  std::string primary = code.substr(0, std::min(code.find_first_of("_-.@"), code.size()));
  std::transform(primary.begin(), primary.end(), primary.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (primary == "cs")
    return TLanguage::Czech;
  if (primary == "en")
    return TLanguage::English;
  return fallback;
}

const char *LanguageCode(TLanguage language) { return language == TLanguage::English ? "en" : "cs"; }

char DecimalSeparator() { return TextLanguage() == TLanguage::English ? '.' : ','; }

const char *Translated(const char *czech) {
  if (chosen != TLanguage::English)
    return czech;
  const char *english = EnglishText(czech);
  return english ? english : czech;
}

std::string Translated(const std::string &czech) { return Translated(czech.c_str()); }
