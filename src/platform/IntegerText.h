// Integer text shared by config.ini and the grid cells: decimal out, decimal or "$"/"0x" hexadecimal in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Accepts leading spaces, an optional sign, then decimal digits or hexadecimal digits after "$" or "0x".
// Decimal values must fit the signed width; hexadecimal ones its unsigned width and wrap ($FFFFFFFF is -1).
bool TryStrToInt(std::string_view text, int32_t &value);
bool TryStrToInt64(std::string_view text, int64_t &value);
// As above, or EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);

std::string IntToStr(int64_t value);
