// The name an entry can carry: what its record holds (at most 255 bytes of Windows-1250) and what a file may be called.
#pragma once

#include <string>

inline constexpr int EntryNameMaxBytes = 255;

// The entry name for the user's UTF-8 text, as Windows-1250 bytes, with surrounding spaces dropped; an
// Exception explains in Czech why the text cannot be a name (empty, a folder separator or control
// character, a character Windows-1250 has not, longer than 255 bytes).
std::string CheckedEntryName(const std::string &utf8);
// Why the UTF-8 text, taken as it is (no spaces dropped), cannot be an entry name, in Czech; empty when it can.
// The one rule for every name that comes in: typed in Rename, or taken from a file that is added.
std::string EntryNameProblem(const std::string &utf8);
