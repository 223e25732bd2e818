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
inline constexpr const char *NoMemoryForJpeg = "Na dekódování obrázku JPEG není dost paměti.";
} // namespace PictureMessages
