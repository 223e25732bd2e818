// The texts of tvk's own refusals, kept in one place; each %s is filled left to right.
#pragma once

namespace CliMessages {
inline constexpr const char *NoSuchEntry = "Položka %s v kontejneru není.";
inline constexpr const char *AmbiguousName =
    "Více položek se jmenuje %s; vyberte jednu pomocí --at N (pořadí ukazuje tvk list).";
inline constexpr const char *UnlistedExtension =
    "Přípona souboru %s není v seznamu přípon v config.ini (přidejte --force).";
inline constexpr const char *AlreadyInPlace = "Položka je již na místě %s; kontejner zůstává beze změny.";
inline constexpr const char *NoSuchFile = "Soubor %s neexistuje.";
inline constexpr const char *TargetExists = "Soubor %s již existuje (přepsání povolí --overwrite).";
inline constexpr const char *TargetIsSource = "Soubor %s je zároveň jedním z přidávaných souborů; nelze jej přepsat.";
// %s: the container; %s: the first difference.
inline constexpr const char *DiffersFromManifest = "Soubor %s neodpovídá manifestu: %s";
// %s: the container; %s: the offset of the first differing byte.
inline constexpr const char *BytesDiffer =
    "Soubor %s má stejné položky jako manifest, ale liší se od bajtu %s (úroveň komprese nebo čas položky).";
// The grid takes these texts without complaint, but a command line must not guess what was meant.
inline constexpr const char *NotABoolean = "'%s' is not a valid boolean value (True or False)";
inline constexpr const char *NotAVolume = "'%s' is not a valid volume (0 to 255)";
} // namespace CliMessages
