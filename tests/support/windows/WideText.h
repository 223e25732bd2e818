// UTF-8 text as the UTF-16 the Windows API takes, for the tests' Windows support.
#pragma once

#include <string>
#include <windows.h>

inline std::wstring WideText(const std::string &text) {
  if (text.empty())
    return {};
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}
