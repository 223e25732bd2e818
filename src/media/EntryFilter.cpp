// The filter over a document's entries: the names with extension that contain the typed text, letter case
// ignored, with "*" standing for any run of characters and "?" for any one.
#include "media/EntryFilter.h"

#include "platform/CodePage.h"

#include <array>

namespace {
// Windows-1250 upper-case letters to their lower-case ones; names are compared in their own code page, so a
// keystroke over 50,000 entries converts none of them.
constexpr std::array<unsigned char, 256> LowerCaseTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c)
    table[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c)
    table[c] = static_cast<unsigned char>(c + 32);
  for (const auto &[upper, lower] : {std::pair{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
                                    {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE}})
    table[upper] = static_cast<unsigned char>(lower);
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7)
      table[c] = static_cast<unsigned char>(c + 0x20);
  return table;
}
constexpr std::array<unsigned char, 256> lowerCase = LowerCaseTable();

unsigned char Lower(char c) { return lowerCase[static_cast<unsigned char>(c)]; }

// Whether text (any case) matches pattern (lower case) whole; "*" may stretch, on a mismatch the last one does.
bool WildcardMatch(std::string_view text, std::string_view pattern) {
  std::size_t t = 0, p = 0, starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || static_cast<unsigned char>(pattern[p]) == Lower(text[t]))) {
      ++t;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starT = t;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}
} // namespace

TEntryFilter::TEntryFilter(std::string_view text) : empty(text.empty()) {
  if (empty)
    return;
  impossible = !FitsCp1250(text);
  const std::string typed = Utf8ToCp1250(text);
  pattern.assign(typed.size() + 2, '*');
  for (std::size_t i = 0; i < typed.size(); ++i)
    pattern[i + 1] = static_cast<char>(Lower(typed[i]));
}

bool TEntryFilter::Matches(const TFileListItem &entry) const {
  if (empty)
    return true;
  if (impossible)
    return false;
  std::string name;
  name.reserve(entry.Name.size() + TExtString::Capacity);
  name += entry.Name;
  name += entry.Ext.Text();
  return WildcardMatch(name, pattern);
}
