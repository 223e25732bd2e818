// The table of English texts: each Czech text of the core and of tvk, and its English form with the same "%s".
#include "platform/EnglishTexts.h"

#include <string_view>
#include <unordered_map>

namespace {
const std::unordered_map<std::string_view, const char *> &Table() {
  static const std::unordered_map<std::string_view, const char *> table{
      // Files and streams.
      {"Nelze číst soubor \"%s\": %s", "Cannot read file \"%s\": %s"},
      {"Nelze zapsat soubor \"%s\": %s", "Cannot write file \"%s\": %s"},
      {"Přerušeno", "Cancelled"},
      {"Soubor \"%s\" právě upravuje jiný program; ani po %s s čekání se neuvolnil.",
       "File \"%s\" is being changed by another program; it was not released even after %s s of waiting."},
      {"Soubor \"%s\" nelze otevřít: %s, ne obyčejný soubor.", "File \"%s\" cannot be opened: %s, not a regular file."},
      {"je to složka", "it is a folder"},
      {"je to roura (FIFO)", "it is a pipe (FIFO)"},
      {"je to zařízení", "it is a device"},
      {"je to soket", "it is a socket"},
      {"je to zvláštní soubor", "it is a special file"},
      {"je to soubor systému /proc nebo /sys", "it is a file of /proc or /sys"},
      // Extension lists.
      {"Seznam již tuto příponu obsahuje!", "The list already contains this extension!"},
      // The document and its entries.
      {"Přípona %s není v seznamu!\rOpravdu chcete soubor přidat?",
       "Extension %s is not in the list!\rDo you really want to add the file?"},
      {"Soubor je prázdný!", "The file is empty!"},
      {"Sestavuji soubor", "Assembling the file"},
      {"Komprimuji soubor", "Compressing the file"},
      {"Načítám soubor", "Loading the file"},
      {"Soubor %s se od přidání změnil (přidán s velikostí %s bajtů, nyní má %s bajtů). Aktualizujte položku nebo ji "
       "přidejte znovu.",
       "File %s has changed since it was added (added with %s bytes, now it has %s bytes). Update the entry or add it "
       "again."},
      {"Soubor \"%s\" nelze přidat: jeho název obsahuje znaky, které kódování Windows-1250 neumí zapsat. Přejmenujte "
       "jej.",
       "File \"%s\" cannot be added: its name contains characters that the Windows-1250 encoding cannot store. Rename "
       "it."},
      {"Soubor byl mezitím změněn jiným programem. Přesto uložit?",
       "The file has meanwhile been changed by another program. Save anyway?"},
      {"Soubor nelze uložit: data médií mají %s bajtů, kontejner jich pojme nejvýše %s.",
       "The file cannot be saved: the media data have %s bytes, a container holds at most %s."},
      {"Nelze najít volný název pro dočasný soubor.", "No free name for the temporary file can be found."},
      {"Soubor je poškozený: chybí typ médií.", "The file is damaged: the media kind is missing."},
      {"Neznámý typ médií v souboru.", "Unknown media kind in the file."},
      {"Soubor je poškozený: záznam položky na pozici %s je neúplný.",
       "The file is damaged: the entry record at position %s is incomplete."},
      {"Soubor je poškozený: položka na pozici %s má neplatnou příponu.",
       "The file is damaged: the entry at position %s has an invalid extension."},
      {"Soubor je poškozený: položka na pozici %s má zápornou velikost.",
       "The file is damaged: the entry at position %s has a negative size."},
      {"Soubor je poškozený: data položky na pozici %s přesahují konec souboru.",
       "The file is damaged: the data of the entry at position %s run past the end of the file."},
      {"Položku \"%s\" nelze bezpečně zapsat jako soubor: její jméno není platný název souboru.",
       "Entry \"%s\" cannot be written safely as a file: its name is not a valid file name."},
      {"Více položek by se zapsalo do souboru %s.", "Several entries would be written to file %s."},
      {"Soubor %s již existuje.\nChcete ho přepsat?", "File %s already exists.\nDo you want to replace it?"},
      {"Soubor %s již existuje.", "File %s already exists."},
      {"Exportuji soubory", "Exporting files"},
      {"Jméno položky nesmí být prázdné.", "The entry's name must not be empty."},
      {"Jméno \"%s\" nesmí obsahovat lomítko, zpětné lomítko ani řídicí znaky.",
       "Name \"%s\" must not contain a slash, a backslash or control characters."},
      {"Jméno \"%s\" obsahuje znak, který kódování Windows-1250 neumí uložit.",
       "Name \"%s\" contains a character that the Windows-1250 encoding cannot store."},
      {"Jméno je příliš dlouhé: v kódování Windows-1250 má %s bajtů, položka jich unese nejvýše 255.",
       "The name is too long: it has %s bytes in the Windows-1250 encoding, an entry holds at most 255."},
      {"Položka %s, sloupec %s: %s", "Entry %s, column %s: %s"},
      {"Jméno", "Name"},
      {"Velikost", "Size"},
      // The ZIP archive.
      {"„%s“", "“%s”"},
      {"Soubor není archiv ZIP.", "The file is not a ZIP archive."},
      {"Soubor je poškozený: %s.", "The file is damaged: %s."},
      {"obsah archivu (centrální adresář) leží mimo soubor",
       "the archive's contents (central directory) lie outside the file"},
      {"obsah archivu je neúplný (nalezeno %s z %s položek)",
       "the archive's contents are incomplete (%s of %s entries found)"},
      {"počty položek v záznamu o konci archivu nesouhlasí", "the entry counts in the end of archive record disagree"},
      {"záznam archivu je zkrácený", "a record of the archive is cut short"},
      {"chybí nebo je vadná hlavička položky %s", "the header of entry %s is missing or bad"},
      {"hlavička položky %s nesouhlasí s obsahem archivu (%s)",
       "the header of entry %s disagrees with the archive's contents (%s)"},
      {"název", "name"},
      {"metoda", "method"},
      {"CRC-32", "CRC-32"},
      {"příznaky", "flags"},
      {"komprimovaná velikost", "compressed size"},
      {"velikost", "size"},
      {"archiv obsahuje více položek %s a nelze určit, která platí",
       "the archive holds several entries %s and which one counts cannot be told"},
      {"data položky %s přesahují konec archivu", "the data of entry %s run past the end of the archive"},
      {"data položky %s nelze rozbalit (%s)", "the data of entry %s cannot be unpacked (%s)"},
      {"za komprimovanými daty následují další bajty", "more bytes follow the compressed data"},
      {"komprimovaná data jsou zkrácená", "the compressed data are cut short"},
      {"položka %s má jen %s z %s bajtů", "entry %s has only %s of %s bytes"},
      {"položka %s je delší než %s bajtů uvedených v hlavičce",
       "entry %s is longer than the %s bytes its header gives"},
      {"kontrolní součet CRC-32 položky %s nesouhlasí", "the CRC-32 checksum of entry %s does not match"},
      {"nekomprimovaná položka %s má v hlavičce dvě různé velikosti",
       "the uncompressed entry %s has two different sizes in its header"},
      {"Archiv ve formátu ZIP64 není podporován.", "ZIP64 archives are not supported."},
      {"Archiv rozdělený na více částí není podporován.", "Archives split into several parts are not supported."},
      {"Položka %s je zašifrovaná. Šifrované archivy nejsou podporovány.",
       "Entry %s is encrypted. Encrypted archives are not supported."},
      {"Položka %s je komprimována nepodporovanou metodou (%s).",
       "Entry %s is compressed with an unsupported method (%s)."},
      {"Název položky archivu je příliš dlouhý (%s bajtů, nejvýše 261).",
       "The name of an archive entry is too long (%s bytes, at most 261)."},
      {"Archiv neobsahuje položku %s.", "The archive does not contain entry %s."},
      {"Soubor je pro archiv ZIP příliš velký (nejvýše 4 GiB).",
       "The file is too large for a ZIP archive (at most 4 GiB)."},
      {"Archiv ZIP nemůže mít více než 65535 položek.", "A ZIP archive cannot have more than 65535 entries."},
      // tvk.
      {"Položka %s v kontejneru není.", "Entry %s is not in the container."},
      {"Více položek se jmenuje %s; vyberte jednu pomocí --at N (pořadí ukazuje tvk list).",
       "Several entries are named %s; choose one with --at N (tvk list shows the positions)."},
      {"Přípona souboru %s není v seznamu přípon v config.ini (přidejte --force).",
       "The extension of file %s is not in config.ini's list of extensions (add --force)."},
      {"Soubor %s neexistuje.", "File %s does not exist."},
      {"Soubor %s již existuje (přepsání povolí --overwrite).",
       "File %s already exists (--overwrite allows replacing it)."},
      {"stored, level 0 (Zádná)", "stored, level 0 (None)"},
      {"deflated, level 1 (Rychlá)", "deflated, level 1 (Fast)"},
      {"deflated, level 2 (Normální)", "deflated, level 2 (Normal)"},
      {"deflated, level 3 (Nejlepší)", "deflated, level 3 (Best)"},
  };
  return table;
}
} // namespace

const char *EnglishText(const char *czech) {
  const auto found = Table().find(czech);
  return found == Table().end() ? nullptr : found->second;
}
