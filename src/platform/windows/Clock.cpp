// The local clock and text comparison in the user's locale, from the Windows national language functions.
#include "platform/Clock.h"

#include "Win32.h"

TLocalTime Now() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

namespace {
std::wstring Lower(const std::string &text) {
  std::wstring wide = Wide(text);
  if (!wide.empty())
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_LOWERCASE, wide.data(), static_cast<int>(wide.size()), wide.data(),
                  static_cast<int>(wide.size()), nullptr, nullptr, 0);
  return wide;
}
} // namespace

int CompareText(const std::string &a, const std::string &b) {
  const std::wstring lowerA = Lower(a), lowerB = Lower(b);
  if (lowerA == lowerB)
    return 0;
  const int collated = CompareStringEx(LOCALE_NAME_USER_DEFAULT, 0, lowerA.data(), static_cast<int>(lowerA.size()),
                                       lowerB.data(), static_cast<int>(lowerB.size()), nullptr, nullptr, 0);
  if (collated != 0 && collated != CSTR_EQUAL)
    return collated - CSTR_EQUAL;
  return lowerA < lowerB ? -1 : 1;
}
