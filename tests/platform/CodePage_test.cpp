// Windows-1250 and UTF-8: Czech letters both ways, "?" for what the code page lacks, exact round trips.
#include "platform/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, CzechLettersConvertBothWays) {
  const std::string utf8 = "Žluťoučký kůň";
  const std::string cp1250 = Utf8ToCp1250(utf8);
  EXPECT_EQ(cp1250, "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
  EXPECT_EQ(Cp1250ToUtf8(cp1250), utf8);
  EXPECT_EQ(Cp1250ToUtf8("\x80"), "€");
}

TEST(CodePage, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToCp1250("日本.png"), "??.png");
  EXPECT_EQ(Utf8ToCp1250("a\xFF" "b"), "a?b") << "invalid UTF-8";
  EXPECT_EQ(Utf8ToCp1250("\xC3"), "?") << "cut sequence";
  EXPECT_EQ(Utf8ToCp1250("\xC0\xAF"), "??") << "overlong form";
}

TEST(CodePage, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
}

TEST(CodePage, DecodesUtf8Characters) {
  EXPECT_EQ(DecodeUtf8("a\xC5\xBD\xF0\x9F\x98\x80"), std::u32string(U"a\u017D\U0001F600"));
  EXPECT_EQ(DecodeUtf8("\x80"), std::u32string(U"\uFFFD"));
}

TEST(CodePage, FitsTellsWhetherANameSurvivesTheCodePage) {
  EXPECT_TRUE(FitsCp1250("Žluťoučký kůň €.bmp"));
  EXPECT_TRUE(FitsCp1250(""));
  EXPECT_FALSE(FitsCp1250("画像.bmp"));
  EXPECT_FALSE(FitsCp1250("tile\xF0\x9F\x98\x80.bmp"));
  EXPECT_FALSE(FitsCp1250("bad\xFFname"));
}

TEST(CodePage, PrintableTextEscapesEveryControlCharacter) {
  EXPECT_EQ(PrintableText("a\nb\tc\x1b[31md"), "a\\x0ab\\x09c\\x1b[31md");
  EXPECT_EQ(PrintableText(std::string("cut\0here", 8)), "cut\\x00here");
  EXPECT_EQ(PrintableText("\x7f\xc2\x9b" "x"), "\\x7f\\x9bx"); // DEL and the one-byte CSI
  EXPECT_EQ(PrintableText("\xff"), "\\xff");
  EXPECT_EQ(PrintableText("Žluťoučký kůň"), "Žluťoučký kůň");
}
