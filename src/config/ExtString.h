// An extension as a short string: a length byte and up to 5 single-byte (Windows-1250) characters.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TExtString {
public:
  static constexpr int Capacity = 5;

  TExtString() = default;
  // Keeps the first 5 bytes of a Windows-1250 text.
  TExtString(std::string_view cp1250);
  TExtString(const char *cp1250) : TExtString(std::string_view(cp1250)) {}
  TExtString(const std::string &cp1250) : TExtString(std::string_view(cp1250)) {}
  static TExtString FromUtf8(std::string_view utf8);
  // The 6 bytes of an entry record as read; bytes past the length are kept so they are written back unchanged.
  static TExtString FromStored(const std::array<uint8_t, Capacity + 1> &stored);

  int Length() const { return stored[0]; }
  bool Empty() const { return stored[0] == 0; }
  std::string Text() const;
  std::string Utf8() const;
  const std::array<uint8_t, Capacity + 1> &Stored() const { return stored; }

  // Same length and same characters; letter case counts and bytes past the length do not.
  bool operator==(const TExtString &other) const { return Text() == other.Text(); }

private:
  std::array<uint8_t, Capacity + 1> stored{};
};
