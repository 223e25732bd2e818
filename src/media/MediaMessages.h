// The Czech texts of the document and of opening and saving containers, kept in one place; each is shown
// through Translated, so the English table has an entry for every one.
#pragma once

namespace MediaMessages {
// The extension gate's question; %s: the extension.
inline constexpr const char *NotInList = "Přípona %s není v seznamu!\rOpravdu chcete soubor přidat?";
inline constexpr const char *EmptyFile = "Soubor je prázdný!";
inline constexpr const char *Assembling = "Sestavuji soubor";
inline constexpr const char *Compressing = "Komprimuji soubor";
inline constexpr const char *Loading = "Načítám soubor";
// %s: the file; %s: its size when added; %s: its size now.
inline constexpr const char *SourceChanged =
    "Soubor %s se od přidání změnil (přidán s velikostí %s bajtů, nyní má %s bajtů). Aktualizujte položku nebo ji přidejte znovu.";
// %s: the file name.
inline constexpr const char *NameNotInCodePage =
    "Soubor \"%s\" nelze přidat: jeho název obsahuje znaky, které kódování Windows-1250 neumí zapsat. Přejmenujte jej.";
// %s: the file; %s: why its name cannot be an entry's (the entry-name rule's text).
inline constexpr const char *NameRefused = "Soubor \"%s\" nelze přidat: %s";
inline constexpr const char *ChangedOnDisk = "Soubor byl mezitím změněn jiným programem. Přesto uložit?";
// %s: the media stream's size in bytes; %s: the largest size a container holds.
inline constexpr const char *StreamTooLarge =
    "Soubor nelze uložit: data médií mají %s bajtů, kontejner jich pojme nejvýše %s.";
inline constexpr const char *NoBackingName = "Nelze najít volný název pro dočasný soubor.";
// A media stream that cannot be read.
inline constexpr const char *NoKind = "Soubor je poškozený: chybí typ médií.";
inline constexpr const char *UnknownKind = "Neznámý typ médií v souboru.";
// %s: where the entry's record starts in the stream.
inline constexpr const char *RecordCutShort = "Soubor je poškozený: záznam položky na pozici %s je neúplný.";
inline constexpr const char *BadExtension = "Soubor je poškozený: položka na pozici %s má neplatnou příponu.";
inline constexpr const char *NegativeSize = "Soubor je poškozený: položka na pozici %s má zápornou velikost.";
inline constexpr const char *DataPastEnd = "Soubor je poškozený: data položky na pozici %s přesahují konec souboru.";
// Writing entries out as files; %s: the file name NAME+EXT.
inline constexpr const char *UnsafeFileName =
    "Položku \"%s\" nelze bezpečně zapsat jako soubor: její jméno není platný název souboru.";
inline constexpr const char *SameTarget = "Více položek by se zapsalo do souboru %s.";
// %s: the full path of the existing file.
inline constexpr const char *ReplaceFile = "Soubor %s již existuje.\nChcete ho přepsat?";
inline constexpr const char *TargetExists = "Soubor %s již existuje.";
inline constexpr const char *Exporting = "Exportuji soubory";
// %s: the file name; %s: its length in bytes.
inline constexpr const char *FileNameTooLong =
    "Položku \"%s\" nelze zapsat jako soubor: název má %s bajtů, souborový systém unese nejvýše 255.";
// %s: the full path.
inline constexpr const char *FolderAtTarget = "Soubor %s nelze zapsat: na jeho místě je složka.";
// %s: the folder; %s: the system's reason.
inline constexpr const char *FolderNotCreated = "Nelze vytvořit složku \"%s\": %s";
// Renaming an entry; %s: the name typed, or its length in bytes.
inline constexpr const char *EmptyName = "Jméno položky nesmí být prázdné.";
inline constexpr const char *NameWithSeparator =
    "Jméno \"%s\" nesmí obsahovat lomítko, zpětné lomítko ani řídicí znaky.";
inline constexpr const char *EntryNameNotInCodePage =
    "Jméno \"%s\" obsahuje znak, který kódování Windows-1250 neumí uložit.";
inline constexpr const char *NameTooLong =
    "Jméno je příliš dlouhé: v kódování Windows-1250 má %s bajtů, položka jich unese nejvýše 255.";
// Undo and redo meeting a list that no longer matches the history.
inline constexpr const char *HistoryMismatch =
    "Krok nelze vrátit: seznam položek neodpovídá historii úprav. Historie byla vymazána.";
// Looking at an entry; %s: the entry's size; %s: the most the preview reads.
inline constexpr const char *EntryTooLarge = "Položka má %s bajtů, náhled čte nejvýše %s bajtů.";
inline constexpr const char *NotAWave = "Nejde o zvukový soubor WAVE.";
inline constexpr const char *WaveCutShort = "Hlavička zvukového souboru WAVE je neúplná.";
inline constexpr const char *WaveWithoutFormat = "Zvukový soubor WAVE nemá popis formátu před daty.";
// The reason the check gives for a picture file without a single pixel (an empty BMP).
inline constexpr const char *NoPixels = "soubor neobsahuje žádné pixely";
// Recovering unsaved work; %s: the backing file.
inline constexpr const char *BackingFileLost =
    "Neuložené změny nelze obnovit: soubor s daty otevřeného kontejneru %s chybí nebo byl změněn.";
inline constexpr const char *JournalUnreadable = "Neuložené změny nelze obnovit: záznam změn je poškozený.";
// %s: the source files, one per line.
inline constexpr const char *SourcesLost =
    "Tyto soubory se od přidání změnily nebo zmizely; jejich položky nebyly obnoveny (Zpět je vrátí):\n%s";
// Conversions on the way in. %s: the file converted; %s: the entry it became (name and extension).
// %s: the key colour.
inline constexpr const char *ConvertedKeyed = "%s → %s, průhledná barva %s";
inline constexpr const char *ConvertedOpaque = "%s → %s, bez průhledných bodů";
// %s: the sound's rate.
inline constexpr const char *ConvertedSound = "%s → %s, %s Hz";
// %s: the sound's own rate; %s: the rate it was resampled to.
inline constexpr const char *ConvertedResampled = "%s → %s, převzorkováno z %s Hz na %s Hz";
// Before the notes of what was converted.
inline constexpr const char *Converted = "Převedeno: %s";
} // namespace MediaMessages
