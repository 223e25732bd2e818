// Conversion between UTF-8 (file names, the user interface) and the single-byte Windows-1250 text of entry names.
#pragma once

#include <string>
#include <string_view>

// A character Windows-1250 cannot hold, or a byte that is not valid UTF-8, becomes "?".
std::string Utf8ToCp1250(std::string_view utf8);
// True when every character of the UTF-8 text has a Windows-1250 byte (and the text is valid UTF-8).
bool FitsCp1250(std::string_view utf8);
// Every byte has a character, so names keep their bytes through a round trip to UTF-8 and back.
std::string Cp1250ToUtf8(std::string_view cp1250);
// The characters of UTF-8 text; a byte that starts no valid sequence becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);
// The text with every control character (C0, DEL and C1, tab and line breaks included) and the backslash itself
// written as \xHH, so a name can be shown on a terminal or in a message without forging lines or sending escape
// sequences, and a "\x0a" shown always stands for a line break. On Windows, where the backslash separates the
// folders of every path, it stays itself. A NUL does not cut it short either. Invalid UTF-8 bytes are written
// the same way.
std::string PrintableText(std::string_view utf8);
