// Cell texts: colour names and hexadecimal colours both ways, booleans.
#include "media/CellTexts.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

TEST(CellTexts, EveryNamedColourRoundTrips) {
  EXPECT_EQ(ColorNames().size(), 22u + 27u);
  for (const auto &named : ColorNames()) {
    EXPECT_EQ(ColorToString(named.Value), named.Name);
    EXPECT_EQ(StringToColor(named.Name), named.Value);
  }
  EXPECT_EQ(ColorToString(0x8000000F), "clBtnFace");
  EXPECT_EQ(ColorToString(0x8000001B), "clGradientActiveCaption");
  EXPECT_EQ(ColorToString(clNone), "clNone");
}

TEST(CellTexts, UnnamedColoursShowAsEightHexDigits) {
  EXPECT_EQ(ColorToString(0x00123456), "$00123456");
  EXPECT_EQ(ColorToString(0x0000000F), "$0000000F");
  EXPECT_EQ(ColorToString(0x80000019), "$80000019") << "index 25 has no name";
  EXPECT_EQ(StringToColor("$80000019"), 0x80000019u);
  EXPECT_EQ(StringToColor("$0000000F"), 0x0000000Fu);
}

TEST(CellTexts, ColourTextsParseByNameOrNumber) {
  for (const char *text : {"$FF", "255", "clred", "CLRED", "0xff"})
    EXPECT_EQ(ColorToString(StringToColor(text)), "clRed") << text;
  try {
    StringToColor("clPink");
    FAIL();
  } catch (const EConvertError &e) {
    EXPECT_STREQ(e.what(), "'clPink' is not a valid integer value");
  }
}

TEST(CellTexts, BooleansAreTrueOnlyForExactlyTrue) {
  EXPECT_EQ(BoolToString(1), "True");
  EXPECT_EQ(BoolToString(7), "True");
  EXPECT_EQ(BoolToString(0), "False");
  EXPECT_TRUE(StringToBool("True"));
  EXPECT_FALSE(StringToBool("true"));
  EXPECT_FALSE(StringToBool("True "));
  EXPECT_FALSE(StringToBool("1"));
}
