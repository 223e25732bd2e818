// The Czech texts of the archive's errors.
#include "media/ZipErrors.h"

#include "platform/CodePage.h"

namespace ZipErrors {

namespace {
std::string Quoted(const std::string &entry) { return "„" + PrintableText(entry) + "“"; }
} // namespace

EZipError NotZip() { return EZipError("Soubor není archiv ZIP."); }

EZipError Corrupt(const std::string &reason) { return EZipError("Soubor je poškozený: " + reason + "."); }

EZipError DirectoryOutside() { return Corrupt("obsah archivu (centrální adresář) leží mimo soubor"); }

EZipError DirectoryIncomplete(int64_t found, int64_t expected) {
  return Corrupt(Substitute("obsah archivu je neúplný (nalezeno %s z %s položek)",
                            {std::to_string(found), std::to_string(expected)}));
}

EZipError EntryCountMismatch() { return Corrupt("počty položek v záznamu o konci archivu nesouhlasí"); }

EZipError TruncatedRecord() { return Corrupt("záznam archivu je zkrácený"); }

EZipError BadLocalHeader(const std::string &entry) {
  return Corrupt("chybí nebo je vadná hlavička položky " + Quoted(entry));
}

EZipError LocalHeaderMismatch(const std::string &entry, const std::string &field) {
  return Corrupt("hlavička položky " + Quoted(entry) + " nesouhlasí s obsahem archivu (" + field + ")");
}

EZipError DuplicateEntry(const std::string &entry) {
  return Corrupt("archiv obsahuje více položek " + Quoted(entry) + " a nelze určit, která platí");
}

EZipError DataOutside(const std::string &entry) {
  return Corrupt("data položky " + Quoted(entry) + " přesahují konec archivu");
}

EZipError InflateFailed(const std::string &entry, const std::string &detail) {
  return Corrupt("data položky " + Quoted(entry) + " nelze rozbalit (" + detail + ")");
}

EZipError EntryTooShort(const std::string &entry, int64_t actual, int64_t expected) {
  return Corrupt(Substitute("položka %s má jen %s z %s bajtů",
                            {Quoted(entry), std::to_string(actual), std::to_string(expected)}));
}

EZipError EntryTooLong(const std::string &entry, int64_t expected) {
  return Corrupt(Substitute("položka %s je delší než %s bajtů uvedených v hlavičce",
                            {Quoted(entry), std::to_string(expected)}));
}

EZipError CrcMismatch(const std::string &entry) {
  return Corrupt("kontrolní součet CRC-32 položky " + Quoted(entry) + " nesouhlasí");
}

EZipError StoredSizeMismatch(const std::string &entry) {
  return Corrupt("nekomprimovaná položka " + Quoted(entry) + " má v hlavičce dvě různé velikosti");
}

EZipError Zip64() { return EZipError("Archiv ve formátu ZIP64 není podporován."); }

EZipError MultiDisk() { return EZipError("Archiv rozdělený na více částí není podporován."); }

EZipError Encrypted(const std::string &entry) {
  return EZipError("Položka " + Quoted(entry) + " je zašifrovaná. Šifrované archivy nejsou podporovány.");
}

EZipError UnsupportedMethod(const std::string &entry, int method) {
  return EZipError(Substitute("Položka %s je komprimována nepodporovanou metodou (%s).",
                              {Quoted(entry), std::to_string(method)}));
}

EZipError NameTooLong(std::size_t length) {
  return EZipError(Substitute("Název položky archivu je příliš dlouhý (%s bajtů, nejvýše 261).",
                              {std::to_string(length)}));
}

EZipError MissingEntry(const std::string &entry) {
  return EZipError("Archiv neobsahuje položku " + Quoted(entry) + ".");
}

EZipError TooLarge() { return EZipError("Soubor je pro archiv ZIP příliš velký (nejvýše 4 GiB)."); }

EZipError TooManyEntries() { return EZipError("Archiv ZIP nemůže mít více než 65535 položek."); }

} // namespace ZipErrors
