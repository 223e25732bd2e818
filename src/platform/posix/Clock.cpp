// The local clock and text comparison in the user's locale (glibc's locale_t).
#include "platform/Clock.h"

#include "platform/CodePage.h"

#include <chrono>
#include <clocale>
#include <cwchar>
#include <ctime>
#include <locale.h>
#include <string>
#include <wctype.h>

TLocalTime Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

namespace {
// The user's locale for collation and letter case, falling back to C.UTF-8 and then to plain C.
locale_t UserLocale() {
  static const locale_t locale = [] {
    for (const char *name : {"", "C.UTF-8", "C"})
      if (locale_t found = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, name, nullptr))
        return found;
    return static_cast<locale_t>(nullptr);
  }();
  return locale;
}

std::wstring LowerWide(const std::string &text, locale_t locale) {
  std::wstring wide;
  for (char32_t c : DecodeUtf8(text))
    wide += locale ? static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), locale)) : static_cast<wchar_t>(c);
  return wide;
}
} // namespace

int CompareText(const std::string &a, const std::string &b) {
  const locale_t locale = UserLocale();
  const std::wstring lowerA = LowerWide(a, locale), lowerB = LowerWide(b, locale);
  if (lowerA == lowerB)
    return 0;
  const int collated = locale ? wcscoll_l(lowerA.c_str(), lowerB.c_str(), locale) : 0;
  if (collated != 0)
    return collated;
  return lowerA < lowerB ? -1 : 1;
}
