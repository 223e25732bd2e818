// The local clock, clock-seeded random digits and locale-aware text comparison.
#include "platform/Clock.h"

#include <chrono>
#include <clocale>
#include <cstring>
#include <ctime>
#include <random>
#include <strings.h>

TLocalTime Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

int RandomDigit() {
  static std::mt19937 generator(
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return std::uniform_int_distribution<int>(0, 9)(generator);
}

int CompareText(const std::string &a, const std::string &b) {
  // strcoll orders by the locale; equal-ignoring-case texts must compare equal first.
  if (strcasecmp(a.c_str(), b.c_str()) == 0)
    return 0;
  return std::strcoll(a.c_str(), b.c_str());
}
