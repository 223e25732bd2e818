// Conversion between UTF-8 (file names, the user interface) and the single-byte Windows-1250 text of entry names.
#include "platform/CodePage.h"

#include "platform/Files.h"

#include <array>
#include <unordered_map>

namespace {
// The characters of the Windows-1250 bytes 0x80 to 0xFF; the bytes below are ASCII. The five bytes the code page
// leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) stand for the control characters of the same number, as on
// Windows, so no name loses a byte.
constexpr char32_t upperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

struct TCodePageTable {
  std::array<char32_t, 256> Characters{};
  std::unordered_map<char32_t, char> Bytes;

  TCodePageTable() {
    for (int byte = 0; byte < 256; ++byte) {
      const char32_t character = byte < 0x80 ? static_cast<char32_t>(byte) : upperHalf[byte - 0x80];
      Characters[byte] = character;
      Bytes.emplace(character, static_cast<char>(byte));
    }
  }
};

const TCodePageTable &Table() {
  static const TCodePageTable table;
  return table;
}

void AppendUtf8(std::string &text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | c >> 6);
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | c >> 12);
    text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | c >> 18);
    text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at text[i] and advances i; an invalid sequence yields nothing and skips one byte.
bool NextUtf8(std::string_view text, std::size_t &i, char32_t &c) {
  const auto lead = static_cast<unsigned char>(text[i]);
  int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
  if (length == 0 || i + length > text.size()) {
    ++i;
    return false;
  }
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return false;
    }
    c = c << 6 | (next & 0x3F);
  }
  static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return false;
  }
  i += length;
  return true;
}
} // namespace

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string characters;
  characters.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    characters += NextUtf8(utf8, i, c) ? c : U'\uFFFD';
  }
  return characters;
}

std::string Utf8ToCp1250(std::string_view utf8) {
  const auto &bytes = Table().Bytes;
  std::string result;
  result.reserve(utf8.size());
  for (char32_t c : DecodeUtf8(utf8)) {
    const auto found = bytes.find(c);
    result += found == bytes.end() ? '?' : found->second;
  }
  return result;
}

std::string Cp1250ToUtf8(std::string_view cp1250) {
  const auto &characters = Table().Characters;
  std::string result;
  result.reserve(cp1250.size() * 2);
  for (char byte : cp1250)
    AppendUtf8(result, characters[static_cast<unsigned char>(byte)]);
  return result;
}

bool FitsCp1250(std::string_view utf8) {
  const auto &bytes = Table().Bytes;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    if (!NextUtf8(utf8, i, c) || bytes.find(c) == bytes.end())
      return false;
  }
  return true;
}

std::string PrintableText(std::string_view utf8) {
  static const bool backslashSeparates = std::string_view(PathSeparators).find('\\') != std::string_view::npos;
  std::string result;
  result.reserve(utf8.size());
  const auto escaped = [&](unsigned char byte) {
    static const char digits[] = "0123456789abcdef";
    result += "\\x";
    result += digits[byte >> 4];
    result += digits[byte & 15];
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t start = i;
    char32_t c = 0;
    if (!NextUtf8(utf8, i, c)) {
      escaped(static_cast<unsigned char>(utf8[start]));
      continue;
    }
    // A backslash of its own would make "\x0a" ambiguous, except where it separates folders (Windows): there it
    // stands in every path, and a name cannot hold one.
    if (c < 0x20 || c == 0x7F || (c == '\\' && !backslashSeparates))
      escaped(static_cast<unsigned char>(c));
    else if (c >= 0x80 && c < 0xA0)
      escaped(static_cast<unsigned char>(c)); // C1 controls: 0x9B alone opens an escape sequence on some terminals
    else
      result.append(utf8.substr(start, i - start));
  }
  return result;
}
