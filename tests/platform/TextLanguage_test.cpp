// The language of the core's texts: choosing it, looking texts up, and a table that covers every Czech text.
#include "media/ItemColumns.h"
#include "platform/EnglishTexts.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// Restores Czech after each test, as every other test expects it.
class TextLanguage : public ::testing::Test {
protected:
  void TearDown() override { SetTextLanguage(TLanguage::Czech); }
};

std::size_t Placeholders(const std::string &text) {
  std::size_t count = 0;
  for (std::size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2))
    ++count;
  return count;
}

// The string literals of a C++ source with adjacent literals joined and escapes decoded; comments and character
// literals are skipped. Each literal comes with the identifier just before its opening parenthesis, if any.
struct TLiteral {
  std::string Text;
  std::string Caller;
};

std::vector<TLiteral> Literals(const std::string &source) {
  std::vector<TLiteral> found;
  std::string lastWord, caller;
  bool joining = false;
  for (std::size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    if (source.compare(i, 2, "//") == 0) {
      i = source.find('\n', i);
      if (i == std::string::npos)
        break;
    } else if (source.compare(i, 2, "/*") == 0) {
      i = source.find("*/", i);
      if (i == std::string::npos)
        break;
      ++i;
    } else if (c == '\'') {
      for (++i; i < source.size() && source[i] != '\''; ++i)
        if (source[i] == '\\')
          ++i;
    } else if (c == '"') {
      std::string text;
      for (++i; i < source.size() && source[i] != '"'; ++i) {
        if (source[i] != '\\') {
          text += source[i];
          continue;
        }
        const char escaped = source[++i];
        text += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
      }
      if (joining)
        found.back().Text += text;
      else
        found.push_back({text, caller});
      joining = true;
    } else if (!std::isspace(static_cast<unsigned char>(c))) {
      joining = false;
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
        if (i == 0 || !(std::isalnum(static_cast<unsigned char>(source[i - 1])) || source[i - 1] == '_'))
          lastWord.clear();
        lastWord += c;
      } else {
        caller = c == '(' ? lastWord : "";
        lastWord.clear();
      }
    }
  }
  return found;
}

bool HasNonAscii(const std::string &text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string ReadAll(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
} // namespace

TEST_F(TextLanguage, CodesNameTheirLanguageAndAnythingElseFallsBack) {
  EXPECT_EQ(LanguageOfCode("en", TLanguage::Czech), TLanguage::English);
  EXPECT_EQ(LanguageOfCode("EN_GB.UTF-8", TLanguage::Czech), TLanguage::English);
  EXPECT_EQ(LanguageOfCode("cs", TLanguage::English), TLanguage::Czech);
  EXPECT_EQ(LanguageOfCode("cs_CZ", TLanguage::English), TLanguage::Czech);
  for (const char *other : {"", "de", "english", "c", "e"})
    EXPECT_EQ(LanguageOfCode(other, TLanguage::English), TLanguage::English) << other;
  EXPECT_STREQ(LanguageCode(TLanguage::English), "en");
  EXPECT_STREQ(LanguageCode(TLanguage::Czech), "cs");
}

TEST_F(TextLanguage, CzechIsTheSourceAndEnglishComesFromTheTable) {
  const char *czech = "Soubor je prázdný!";
  EXPECT_EQ(Translated(czech), czech);
  SetTextLanguage(TLanguage::English);
  EXPECT_STREQ(Translated(czech), "The file is empty!");
  EXPECT_EQ(Translated(std::string("Přerušeno")), "Cancelled");
  // A text the table lacks (an English one of the system, a file name) stays as it is.
  EXPECT_STREQ(Translated("Stream read error"), "Stream read error");
}

TEST_F(TextLanguage, FormattedMessagesTranslateWithTheirValuesInPlace) {
  SetTextLanguage(TLanguage::English);
  EXPECT_STREQ(EReadError("a.tvk", "Permission denied").what(), "Cannot read file \"a.tvk\": Permission denied");
  EXPECT_STREQ(EAbort().what(), "Cancelled");
  SetTextLanguage(TLanguage::Czech);
  EXPECT_STREQ(EReadError("a.tvk", "Permission denied").what(), "Nelze číst soubor \"a.tvk\": Permission denied");
}

TEST_F(TextLanguage, TheColumnsThatAreWordsHaveEnglishCaptions) {
  SetTextLanguage(TLanguage::English);
  const std::vector<TItemColumn> &columns = ItemColumns(mkImages);
  EXPECT_STREQ(Translated(columns[0].Caption), "Name");
  EXPECT_STREQ(Translated(columns[1].Caption), "Ext");
  EXPECT_STREQ(Translated(columns[2].Caption), "Size");
  for (const TItemColumn &column : ItemColumns(mkSounds))
    EXPECT_FALSE(HasNonAscii(Translated(column.Caption))) << column.Caption;
}

// Every Czech text of the parts without Qt and of the picture loaders: each literal with a Czech letter, and each
// handed to Translated (or named as a header field), has its English entry with the same placeholders.
TEST_F(TextLanguage, EveryCzechTextOfTheCoreHasAnEnglishEntry) {
  const fs::path root = TOVRIK_SOURCE_DIR;
  std::set<std::string> checked;
  int files = 0;
  for (const char *folder : {"src/platform", "src/config", "src/convert", "src/media", "src/dib", "src/pictures", "src/cli"}) {
    for (const fs::directory_entry &entry : fs::directory_iterator(root / folder)) {
      const fs::path &path = entry.path();
      const std::string name = path.filename().string();
      if ((path.extension() != ".cpp" && path.extension() != ".h") || name == "EnglishTexts.cpp" || name[0] == 'f')
        continue; // the table itself, and the settings dialog (Qt's translation covers it)
      ++files;
      for (const TLiteral &literal : Literals(ReadAll(path))) {
        const bool czech = HasNonAscii(literal.Text);
        const bool handed = literal.Caller == "Translated" || literal.Caller == "mismatch" || literal.Caller == "Text";
        if (!czech && !handed)
          continue;
        checked.insert(literal.Text);
        const char *english = EnglishText(literal.Text.c_str());
        ASSERT_NE(english, nullptr) << name << ": no English for \"" << literal.Text << '"';
        EXPECT_EQ(Placeholders(english), Placeholders(literal.Text)) << literal.Text;
        EXPECT_FALSE(HasNonAscii(english) && std::string(english).find("“") == std::string::npos) << english;
      }
    }
  }
  EXPECT_GT(files, 50);
  // The scan sees the texts of the message headers and of the archive errors, not only the inline ones.
  for (const char *known : {"Soubor je prázdný!", "Soubor není archiv ZIP.", "velikost", "Položka %s v kontejneru není.",
                            "Hlavička obrázku DIB je neúplná.", "Obrázek JPEG nelze přečíst: %s"})
    EXPECT_EQ(checked.count(known), 1u) << known;
}
