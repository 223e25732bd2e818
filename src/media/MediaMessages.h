// The Czech texts of the document and of opening and saving containers, kept in one place.
#pragma once

namespace MediaMessages {
// The extension gate's question: "Přípona " + extension + this.
inline constexpr const char *NotInList = " není v seznamu!\rOpravdu chcete soubor přidat?";
inline constexpr const char *AddQuestionStart = "Přípona ";
inline constexpr const char *EmptyFile = "Soubor je prázdný!";
inline constexpr const char *Assembling = "Sestavuji soubor";
inline constexpr const char *Compressing = "Komprimuji soubor";
inline constexpr const char *Loading = "Načítám soubor";
// %s: the file; %s: its size when added; %s: its size now.
inline constexpr const char *SourceChanged =
    "Soubor %s se od přidání změnil (přidán s velikostí %s bajtů, nyní má %s bajtů). Aktualizujte položku nebo ji přidejte znovu.";
inline constexpr const char *NoBackingName = "Nelze najít volný název pro dočasný soubor.";
} // namespace MediaMessages
