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

std::string CheckedEntryName(const std::string &utf8) {
  const std::string name = Trimmed(utf8);
  if (name.empty() || name == "." || name == "..")
    throw Exception(Translated(MediaMessages::EmptyName));
  for (const unsigned char c : name)
    if (c == '/' || c == '\\' || c < 32 || c == 127)
      throw Exception(Substitute(Translated(MediaMessages::NameWithSeparator), {PrintableText(name)}));
  if (!FitsCp1250(name))
    throw Exception(Substitute(Translated(MediaMessages::EntryNameNotInCodePage), {PrintableText(name)}));
  const std::string cp1250 = Utf8ToCp1250(name);
  if (cp1250.size() > static_cast<std::size_t>(EntryNameMaxBytes))
    throw Exception(
        Substitute(Translated(MediaMessages::NameTooLong), {IntToStr(static_cast<int64_t>(cp1250.size()))}));
  return cp1250;
}
