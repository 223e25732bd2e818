// The local clock, clock-seeded random digits and locale-aware text comparison.
#pragma once

#include <string>

struct TLocalTime {
  int Year, Month, Day, Hour, Minute, Second;
};

TLocalTime Now();
// A random decimal digit 0..9 from a generator seeded once from the clock.
int RandomDigit();
// Compares two texts in the user's locale ignoring letter case: <0, 0 or >0.
int CompareText(const std::string &a, const std::string &b);
