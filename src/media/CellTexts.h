// The texts of the grid cells: colours by name or as "$" and 8 hexadecimal digits, booleans, integers.
#pragma once

#include "media/FileListItems.h"

#include <string>
#include <string_view>
#include <vector>

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clSystemColor = 0x80000000;

struct TColorName {
  const char *Name;
  TColor Value;
};

// Every named colour: the RGB colours, clNone, clDefault and the system colours, in a stable order.
const std::vector<TColorName> &ColorNames();
// The colour's name when it has one, else "$" and 8 upper-case hexadecimal digits.
std::string ColorToString(TColor color);
// A name (letter case ignored) or an integer text; EConvertError "'%s' is not a valid integer value" otherwise.
TColor StringToColor(std::string_view text);

// "True" or "False"; any non-zero byte is true.
std::string BoolToString(TByteBool value);
// True only for exactly "True".
bool StringToBool(std::string_view text);
