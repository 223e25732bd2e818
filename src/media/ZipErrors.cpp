// The Czech texts of the archive's errors.
#include "media/ZipErrors.h"

#include "platform/CodePage.h"
#include "platform/TextLanguage.h"

namespace ZipErrors {

namespace {
std::string Quoted(const std::string &entry) { return Substitute(Translated("„%s“"), {PrintableText(entry)}); }

// A text of this unit in the chosen language, its "%s" filled left to right.
std::string Text(const char *pattern, std::initializer_list<std::string> args = {}) {
  return Substitute(Translated(pattern), args);
}
} // namespace

EZipError NotZip() { return EZipError(Text("Soubor není archiv ZIP.")); }

EZipError Truncated() {
  return EZipError(Text("Soubor je zkrácený: chybí konec archivu ZIP (soubor nejspíš nebyl zapsán nebo zkopírován celý)."));
}

EZipError Corrupt(const std::string &reason) { return EZipError(Text("Soubor je poškozený: %s.", {reason})); }

EZipError DirectoryOutside() { return Corrupt(Text("obsah archivu (centrální adresář) leží mimo soubor")); }

EZipError DirectoryIncomplete(int64_t found, int64_t expected) {
  return Corrupt(
      Text("obsah archivu je neúplný (nalezeno %s z %s položek)", {std::to_string(found), std::to_string(expected)}));
}

EZipError DirectorySizeMismatch() {
  return Corrupt(Text("velikost a poloha obsahu archivu v záznamu o konci archivu nesouhlasí se souborem"));
}

EZipError EntryCountMismatch() { return Corrupt(Text("počty položek v záznamu o konci archivu nesouhlasí")); }

EZipError TruncatedRecord() { return Corrupt(Text("záznam archivu je zkrácený")); }

EZipError BadLocalHeader(const std::string &entry) {
  return Corrupt(Text("chybí nebo je vadná hlavička položky %s", {Quoted(entry)}));
}

EZipError LocalHeaderMismatch(const std::string &entry, const std::string &field) {
  return Corrupt(Text("hlavička položky %s nesouhlasí s obsahem archivu (%s)", {Quoted(entry), Translated(field)}));
}

EZipError DuplicateEntry(const std::string &entry) {
  return Corrupt(Text("archiv obsahuje více položek %s a nelze určit, která platí", {Quoted(entry)}));
}

EZipError DataOutside(const std::string &entry) {
  return Corrupt(Text("data položky %s přesahují konec archivu", {Quoted(entry)}));
}

EZipError InflateFailed(const std::string &entry, const std::string &detail) {
  return Corrupt(Text("data položky %s nelze rozbalit (%s)", {Quoted(entry), Translated(detail)}));
}

EZipError EntryTooShort(const std::string &entry, int64_t actual, int64_t expected) {
  return Corrupt(
      Text("položka %s má jen %s z %s bajtů", {Quoted(entry), std::to_string(actual), std::to_string(expected)}));
}

EZipError EntryTooLong(const std::string &entry, int64_t expected) {
  return Corrupt(
      Text("položka %s je delší než %s bajtů uvedených v hlavičce", {Quoted(entry), std::to_string(expected)}));
}

EZipError CrcMismatch(const std::string &entry) {
  return Corrupt(Text("kontrolní součet CRC-32 položky %s nesouhlasí", {Quoted(entry)}));
}

EZipError StoredSizeMismatch(const std::string &entry) {
  return Corrupt(Text("nekomprimovaná položka %s má v hlavičce dvě různé velikosti", {Quoted(entry)}));
}

EZipError Zip64() { return EZipError(Text("Archiv ve formátu ZIP64 není podporován.")); }

EZipError MultiDisk() { return EZipError(Text("Archiv rozdělený na více částí není podporován.")); }

EZipError Encrypted(const std::string &entry) {
  return EZipError(Text("Položka %s je zašifrovaná. Šifrované archivy nejsou podporovány.", {Quoted(entry)}));
}

EZipError UnsupportedMethod(const std::string &entry, int method) {
  return EZipError(
      Text("Položka %s je komprimována nepodporovanou metodou (%s).", {Quoted(entry), std::to_string(method)}));
}

EZipError NameTooLong(std::size_t length) {
  return EZipError(Text("Název položky archivu je příliš dlouhý (%s bajtů, nejvýše 261).", {std::to_string(length)}));
}

EZipError MissingEntry(const std::string &entry) {
  return EZipError(Text("Archiv neobsahuje položku %s.", {Quoted(entry)}));
}

EZipError TooLarge() { return EZipError(Text("Soubor je pro archiv ZIP příliš velký (nejvýše 4 GiB).")); }

EZipError TooManyEntries() { return EZipError(Text("Archiv ZIP nemůže mít více než 65535 položek.")); }

} // namespace ZipErrors
