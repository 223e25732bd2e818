// Integer text: what parses, what is rejected with the conversion message, and the width limits.
#include "platform/Exceptions.h"
#include "platform/IntegerText.h"

#include <gtest/gtest.h>

TEST(IntegerText, AcceptsSpacesSignDecimalAndHex) {
  EXPECT_EQ(StrToInt("  42"), 42);
  EXPECT_EQ(StrToInt("-7"), -7);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("$ff"), 255);
  EXPECT_EQ(StrToInt("0X1a"), 26);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1) << "hexadecimal fills the whole width";
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("$8000000000000000"), INT64_MIN);
}

TEST(IntegerText, RejectsEverythingElseWithTheConversionMessage) {
  for (const char *text : {"", " ", "-", "$", "0x", "12 ", "1.5", "abc", "1e3", "--1", "\t1", "2147483648",
                           "$100000000", "-2147483649"}) {
    int32_t value = 0;
    EXPECT_FALSE(TryStrToInt(text, value)) << text;
  }
  EXPECT_FALSE([] { int64_t v; return TryStrToInt64("9223372036854775808", v); }());
  try {
    StrToInt("12x");
    FAIL();
  } catch (const EConvertError &e) {
    EXPECT_STREQ(e.what(), "'12x' is not a valid integer value");
  }
}

TEST(IntegerText, FormatsPlainDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-1), "-1");
  EXPECT_EQ(IntToStr(3000000000LL), "3000000000");
}
