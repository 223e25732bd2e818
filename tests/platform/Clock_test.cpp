// Text comparison for ZIP entry names: letter case is ignored in equality and in the order.
#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, CompareTextIgnoresLetterCase) {
  EXPECT_EQ(CompareText("Media.m", "MEDIA.M"), 0);
  EXPECT_EQ(CompareText("ŽÁBA", "žába"), 0);
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("Banana", "apple"), 0);
  EXPECT_LT(CompareText("a", "ab"), 0);
}

TEST(Clock, NowAndRandomDigitsAreInRange) {
  const TLocalTime now = Now();
  EXPECT_GE(now.Year, 2000);
  EXPECT_TRUE(now.Month >= 1 && now.Month <= 12);
  for (int i = 0; i < 100; ++i) {
    const int digit = RandomDigit();
    EXPECT_TRUE(digit >= 0 && digit <= 9);
  }
}
