// An extension as a short string: a length byte and up to 5 single-byte (Windows-1250) characters.
#include "config/ExtString.h"

#include "platform/CodePage.h"

#include <algorithm>

TExtString::TExtString(std::string_view cp1250) {
  const auto length = std::min<std::size_t>(cp1250.size(), Capacity);
  stored[0] = static_cast<uint8_t>(length);
  for (std::size_t i = 0; i < length; ++i)
    stored[i + 1] = static_cast<uint8_t>(cp1250[i]);
}

TExtString TExtString::FromUtf8(std::string_view utf8) { return TExtString(Utf8ToCp1250(utf8)); }

TExtString TExtString::FromStored(const std::array<uint8_t, Capacity + 1> &bytes) {
  TExtString ext;
  ext.stored = bytes;
  return ext;
}

std::string TExtString::Text() const {
  const auto length = std::min<std::size_t>(stored[0], Capacity);
  return std::string(reinterpret_cast<const char *>(stored.data() + 1), length);
}

std::string TExtString::Utf8() const { return Cp1250ToUtf8(Text()); }
