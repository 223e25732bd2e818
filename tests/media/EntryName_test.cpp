// Names typed for an entry: Czech letters kept, spaces trimmed, and each refusal explained.
#include "media/EntryName.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace {
std::string Refusal(const std::string &text) {
  try {
    CheckedEntryName(text);
  } catch (const Exception &error) {
    return error.what();
  }
  return {};
}
} // namespace

TEST(EntryName, CzechLettersBecomeWindows1250AndSpacesAreTrimmed) {
  EXPECT_EQ(CheckedEntryName("  žluťoučký kůň "), "\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2");
  EXPECT_EQ(CheckedEntryName("co?"), "co?") << "a real question mark is a character like any other";
  EXPECT_EQ(CheckedEntryName(std::string(255, 'a')).size(), 255u);
}

TEST(EntryName, EveryRefusalSaysWhy) {
  EXPECT_NE(Refusal("   ").find("prázdné"), std::string::npos);
  EXPECT_NE(Refusal("..").find("prázdné"), std::string::npos);
  EXPECT_NE(Refusal("../tajne").find("lomítko"), std::string::npos);
  EXPECT_NE(Refusal("a\\b").find("lomítko"), std::string::npos);
  EXPECT_NE(Refusal("řádek\nnový").find("řídicí"), std::string::npos);
  EXPECT_NE(Refusal("猫").find("Windows-1250"), std::string::npos);
  EXPECT_NE(Refusal("smajlík 😀").find("Windows-1250"), std::string::npos);
  EXPECT_NE(Refusal(std::string(256, 'a')).find("256 bajtů"), std::string::npos);
  // 128 two-byte letters in UTF-8 are 128 bytes in Windows-1250, so they fit.
  std::string czech;
  for (int i = 0; i < 128; ++i)
    czech += "č";
  EXPECT_EQ(CheckedEntryName(czech).size(), 128u);
  EXPECT_NE(Refusal(czech + std::string(128, 'x')).find("256 bajtů"), std::string::npos);
}
