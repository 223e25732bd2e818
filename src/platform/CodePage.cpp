// Conversion between UTF-8 (file names, the user interface) and the single-byte Windows-1250 text of entry names.
#include "platform/CodePage.h"

#include <array>
#include <iconv.h>
#include <unordered_map>

namespace {
// The character of every Windows-1250 byte, asked of iconv once. The five bytes the code page leaves
// undefined stand for the control characters of the same number, as on Windows, so no name loses a byte.
struct TCodePageTable {
  std::array<char32_t, 256> Characters{};
  std::unordered_map<char32_t, char> Bytes;

  TCodePageTable() {
    iconv_t converter = iconv_open("UTF-32LE", "WINDOWS-1250");
    for (int byte = 0; byte < 256; ++byte) {
      char in = static_cast<char>(byte);
      unsigned char out[4] = {};
      char *inPointer = &in;
      char *outPointer = reinterpret_cast<char *>(out);
      std::size_t inLeft = 1, outLeft = sizeof out;
      char32_t character = static_cast<char32_t>(byte);
      if (converter != reinterpret_cast<iconv_t>(-1) &&
          iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1) && outLeft == 0)
        character = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
      Characters[byte] = character;
      Bytes.emplace(character, in);
    }
    if (converter != reinterpret_cast<iconv_t>(-1))
      iconv_close(converter);
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
    if (c < 0x20 || c == 0x7F || c == '\\') // a backslash of its own would make "\x0a" ambiguous
      escaped(static_cast<unsigned char>(c));
    else if (c >= 0x80 && c < 0xA0)
      escaped(static_cast<unsigned char>(c)); // C1 controls: 0x9B alone opens an escape sequence on some terminals
    else
      result.append(utf8.substr(start, i - start));
  }
  return result;
}
