// The Czech refusals of pack manifests, kept in one place; each is shown through Translated.
#pragma once

namespace ManifestMessages {
// %s: the TOML reader's own description.
inline constexpr const char *NotToml = "Manifest není platný TOML: %s";
inline constexpr const char *UnknownKey = "Neznámý klíč %s.";
inline constexpr const char *MissingKey = "Chybí klíč %s.";
inline constexpr const char *NotBoolean = "Klíč %s musí být true nebo false.";
inline constexpr const char *NotInteger = "Klíč %s musí být celé číslo.";
inline constexpr const char *NotText = "Klíč %s musí být text.";
inline constexpr const char *NotTable = "Klíč %s musí být tabulka.";
// %s: the value; %s: the key.
inline constexpr const char *OutOfRange = "Hodnota %s klíče %s je mimo povolený rozsah.";
inline constexpr const char *BadKind = "Klíč kind musí být \"images\" nebo \"sounds\".";
// %s: the file a manifest names as its output.
inline constexpr const char *NotAContainer = "Soubor %s existuje a není kontejner; nepřepíše se.";
inline constexpr const char *MissingSource = "Zdrojový soubor %s neexistuje.";
// %s: the file; %s: the kind (images or sounds).
inline constexpr const char *WrongKindOfFile =
    "Soubor %s nepatří mezi %s: jeho přípona není v seznamu přípon v config.ini.";
// %s: the value of SOURCE_DATE_EPOCH.
inline constexpr const char *BadSourceDateEpoch = "Proměnná SOURCE_DATE_EPOCH (%s) není počet sekund od roku 1970.";
} // namespace ManifestMessages
