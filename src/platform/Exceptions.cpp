// Message formatting for the exception family.
#include "platform/Exceptions.h"

std::string Substitute(const std::string &pattern, std::initializer_list<std::string> args) {
  std::string result;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && next != args.end()) {
      result += *next++;
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}
