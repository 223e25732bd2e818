// The name an entry can carry: what its record holds (at most 255 bytes of Windows-1250) and what a file may be called.
#include "media/EntryName.h"

#include "media/MediaMessages.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/IntegerText.h"
#include "platform/TextLanguage.h"

namespace {
std::string Trimmed(const std::string &text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
} // namespace

std::string EntryNameProblem(const std::string &utf8) {
  if (Trimmed(utf8).empty() || utf8 == "." || utf8 == "..")
    return Translated(MediaMessages::EmptyName);
  for (const unsigned char c : utf8)
    if (c == '/' || c == '\\' || c < 32 || c == 127)
      return Substitute(Translated(MediaMessages::NameWithSeparator), {PrintableText(utf8)});
  if (!FitsCp1250(utf8))
    return Substitute(Translated(MediaMessages::EntryNameNotInCodePage), {PrintableText(utf8)});
  const std::size_t bytes = Utf8ToCp1250(utf8).size();
  if (bytes > static_cast<std::size_t>(EntryNameMaxBytes))
    return Substitute(Translated(MediaMessages::NameTooLong), {IntToStr(static_cast<int64_t>(bytes))});
  return {};
}

std::string CheckedEntryName(const std::string &utf8) {
  const std::string name = Trimmed(utf8);
  const std::string problem = EntryNameProblem(name);
  if (!problem.empty())
    throw Exception(problem);
  return Utf8ToCp1250(name);
}
