// The clock-seeded random digits; the local time and the comparison of texts are the system's own.
#include "platform/Clock.h"

#include <chrono>
#include <random>

int RandomDigit() {
  static std::mt19937 generator(
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return std::uniform_int_distribution<int>(0, 9)(generator);
}
