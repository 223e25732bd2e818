// The Czech texts of converting pictures and sounds on the way in, kept in one place; each is shown through
// Translated, so the English table has an entry for every one.
#pragma once

namespace ConvertMessages {
// %s: the file; %s: why it cannot be converted (one of the reasons below).
inline constexpr const char *CannotConvert = "Soubor %s nelze převést: %s";
// %s: the largest size in MB.
inline constexpr const char *FileTooLarge = "soubor je větší než %s MB";
// %s × %s: the picture's size; %s: the most pixels converted.
inline constexpr const char *PictureTooLarge = "obrázek má %s × %s bodů, převést lze nejvýše %s bodů";
inline constexpr const char *NotConverted = "tento formát se v tomto sestavení nepřevádí";
inline constexpr const char *PictureEmpty = "obrázek nemá žádné body";
inline constexpr const char *NoFreeColour = "obrázek používá všechny barvy, pro průhlednost žádná nezbývá";
// %s: the library's own description of the fault.
inline constexpr const char *NotPng = "není to platný obrázek PNG (%s)";
inline constexpr const char *NotGif = "není to platný obrázek GIF (%s)";
inline constexpr const char *GifWithoutFrame = "obrázek GIF nemá žádný snímek";
inline constexpr const char *NotWebp = "není to platný obrázek WebP (%s)";
inline constexpr const char *NotTga = "není to platný obrázek TGA (%s)";
// The faults of a TGA file, each put into NotTga.
inline constexpr const char *TgaCutShort = "data jsou neúplná";
// %s: the image type.
inline constexpr const char *TgaType = "nepodporovaný typ obrázku %s";
// %s: the bits per pixel.
inline constexpr const char *TgaDepth = "nepodporovaná hloubka %s bitů";
inline constexpr const char *TgaNoPalette = "obrázek s paletou nemá paletu";
// %s: the sound library's own description of the fault.
inline constexpr const char *NotSound = "zvuk nelze dekódovat (%s)";
inline constexpr const char *SoundTooLong = "zvuk je na soubor WAV příliš dlouhý (nejvýše 4 GB)";
// %s: the resampler's own description of the fault.
inline constexpr const char *ResampleFailed = "převzorkování selhalo (%s)";
} // namespace ConvertMessages
