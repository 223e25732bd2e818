// The Czech texts of the picture loaders, shown in the previews; each is raised through Translated, so the English
// table has an entry for every one.
#pragma once

namespace PictureMessages {
// %s: the extension, in lower case, without its dot.
inline constexpr const char *UnknownExtension = "Neznámá přípona obrázku (.%s).";
inline constexpr const char *NoMetafiles = "Metasoubory (.emf, .wmf) nelze v tomto systému zobrazit.";
inline constexpr const char *InvalidBitmap = "Obrázek BMP je poškozený nebo v nepodporované podobě.";
inline constexpr const char *InvalidIcon = "Ikona ICO je poškozená nebo v nepodporované podobě.";
inline constexpr const char *NoMemoryForDib = "Na zobrazení obrázku DIB není dost paměti.";
// %s: the width; %s: the height.
inline constexpr const char *JpegTooLarge = "Obrázek JPEG je na zobrazení příliš velký (%s × %s pixelů).";
inline constexpr const char *NoMemoryForJpeg = "Na dekódování obrázku JPEG není dost paměti.";
// %s: libjpeg's own description of the defect.
inline constexpr const char *JpegError = "Obrázek JPEG nelze přečíst: %s";
} // namespace PictureMessages
