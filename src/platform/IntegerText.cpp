// Integer text shared by config.ini and the grid cells: decimal out, decimal or "$"/"0x" hexadecimal in.
#include "platform/IntegerText.h"

#include "platform/Exceptions.h"

#include <limits>

namespace {
int DigitValue(char c, int base) {
  int digit = 99;
  if (c >= '0' && c <= '9')
    digit = c - '0';
  else if (c >= 'a' && c <= 'f')
    digit = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    digit = c - 'A' + 10;
  return digit < base ? digit : -1;
}

// Parses into an unsigned magnitude no larger than limit, then applies the sign in the target's width.
template <typename TSigned> bool TryParse(std::string_view text, TSigned &value) {
  using TUnsigned = std::make_unsigned_t<TSigned>;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  const TUnsigned limit = base == 16 ? std::numeric_limits<TUnsigned>::max()
                                     : static_cast<TUnsigned>(std::numeric_limits<TSigned>::max()) + (negative ? 1 : 0);
  if (i == text.size())
    return false;
  TUnsigned magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0 || magnitude > (limit - static_cast<TUnsigned>(digit)) / static_cast<TUnsigned>(base))
      return false;
    magnitude = magnitude * static_cast<TUnsigned>(base) + static_cast<TUnsigned>(digit);
  }
  value = static_cast<TSigned>(negative ? TUnsigned(0) - magnitude : magnitude);
  return true;
}

template <typename TSigned> TSigned Parse(std::string_view text) {
  TSigned value = 0;
  if (!TryParse(text, value))
    throw EConvertError(Substitute("'%s' is not a valid integer value", {std::string(text)}));
  return value;
}
} // namespace

bool TryStrToInt(std::string_view text, int32_t &value) { return TryParse(text, value); }
bool TryStrToInt64(std::string_view text, int64_t &value) { return TryParse(text, value); }
int32_t StrToInt(std::string_view text) { return Parse<int32_t>(text); }
int64_t StrToInt64(std::string_view text) { return Parse<int64_t>(text); }

std::string IntToStr(int64_t value) { return std::to_string(value); }
