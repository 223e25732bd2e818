// The Czech texts of the DIB reader and the JPEG decoder, one for each defect it tells apart; each is raised through Translated, so the
// English table has an entry for every one.
#pragma once

namespace DIBMessages {
// Shorter than the 14-byte file header, or without "BM" at its start.
inline constexpr const char *NotADib = "Soubor není obrázek DIB: nezačíná hlavičkou souboru „BM“.";
inline constexpr const char *HeaderCutShort = "Hlavička obrázku DIB je neúplná.";
// %s: the header size the file gives.
inline constexpr const char *HeaderSize =
    "Obrázek DIB má nepodporovanou velikost hlavičky (%s bajtů; čitelné jsou hlavičky o 12 a 40 bajtech).";
// %s: the width; %s: the height.
inline constexpr const char *BadSize = "Obrázek DIB má neplatné rozměry (%s × %s).";
inline constexpr const char *TooLarge = "Obrázek DIB je příliš velký (%s × %s pixelů).";
// %s: the bit count.
inline constexpr const char *BitCount = "Obrázek DIB má nepodporovaný počet bitů na pixel (%s).";
inline constexpr const char *ChannelMasks = "Barevné masky obrázku DIB neodpovídají %s bitům na pixel.";
// %s: the compression's number as the header gives it.
inline constexpr const char *Compression = "Obrázek DIB používá nepodporovanou kompresi (%s).";
// %s: RLE8 or RLE4; %s: the bit count it needs (8 or 4); %s: the file's bit count.
inline constexpr const char *RunLengthDepth =
    "Komprese %s obrázku DIB vyžaduje počet bitů na pixel %s, obrázek má %s.";
inline constexpr const char *RunLengthTopDown = "Obrázek DIB s kompresí RLE nemůže mít řádky uložené shora dolů.";
inline constexpr const char *RunLengthTooLarge =
    "Obrázek DIB s kompresí RLE udává více pixelů, než mohou jeho data popsat.";
// %s: the number of colours the header gives.
inline constexpr const char *PaletteCutShort = "Paleta obrázku DIB je neúplná: soubor končí před koncem jejích %s barev.";
inline constexpr const char *MasksCutShort = "Barevné masky obrázku DIB jsou neúplné: soubor končí před nimi.";
inline constexpr const char *PixelsCutShort = "Obrazová data obrázku DIB jsou neúplná: soubor končí před jejich koncem.";
// %s: the width; %s: the height.
inline constexpr const char *JpegTooLarge = "Obrázek JPEG je na zobrazení příliš velký (%s × %s pixelů).";
// %s: libjpeg's own description of the defect.
inline constexpr const char *JpegError = "Obrázek JPEG nelze přečíst: %s";
inline constexpr const char *NotAnIcon = "Soubor není ikona ICO: jeho hlavička je neplatná nebo neúplná.";
inline constexpr const char *IconImageOutside = "Obrázek ikony ICO leží mimo soubor.";
} // namespace DIBMessages
