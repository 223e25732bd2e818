// Message formatting for the exception family.
#include "platform/Exceptions.h"

#include "platform/TextLanguage.h"

std::string Substitute(const std::string &pattern, std::initializer_list<std::string> args) {
  return Substitute(pattern, std::vector<std::string>(args));
}

std::string Substitute(const std::string &pattern, const std::vector<std::string> &args) {
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

EReadError::EReadError(const std::string &file, const std::string &reason)
    : EStreamError(Substitute(Translated("Nelze číst soubor \"%s\": %s"), {file, reason})) {}

EWriteError::EWriteError(const std::string &file, const std::string &reason_)
    : EStreamError(Substitute(Translated("Nelze zapsat soubor \"%s\": %s"), {file, reason_})), reason(reason_) {}

EAbort::EAbort() : Exception(Translated("Přerušeno")) {}
