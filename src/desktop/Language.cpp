// The user's language as a Windows language identifier (primary language in the low 10 bits, sublanguage above).
#include "desktop/Language.h"

#include <array>

namespace {

struct TPrimaryLanguage {
  QLocale::Language language;
  std::uint16_t id;
};

struct TRegionalLanguage {
  QLocale::Language language;
  QLocale::Territory territory;
  std::uint16_t id;
};

constexpr std::array primaryLanguages{
    TPrimaryLanguage{QLocale::Arabic, 0x01},    TPrimaryLanguage{QLocale::Bulgarian, 0x02},
    TPrimaryLanguage{QLocale::Catalan, 0x03},   TPrimaryLanguage{QLocale::Chinese, 0x04},
    TPrimaryLanguage{QLocale::Czech, 0x05},     TPrimaryLanguage{QLocale::Danish, 0x06},
    TPrimaryLanguage{QLocale::German, 0x07},    TPrimaryLanguage{QLocale::Greek, 0x08},
    TPrimaryLanguage{QLocale::English, 0x09},   TPrimaryLanguage{QLocale::Spanish, 0x0A},
    TPrimaryLanguage{QLocale::Finnish, 0x0B},   TPrimaryLanguage{QLocale::French, 0x0C},
    TPrimaryLanguage{QLocale::Hebrew, 0x0D},    TPrimaryLanguage{QLocale::Hungarian, 0x0E},
    TPrimaryLanguage{QLocale::Icelandic, 0x0F}, TPrimaryLanguage{QLocale::Italian, 0x10},
    TPrimaryLanguage{QLocale::Japanese, 0x11},  TPrimaryLanguage{QLocale::Korean, 0x12},
    TPrimaryLanguage{QLocale::Dutch, 0x13},     TPrimaryLanguage{QLocale::NorwegianBokmal, 0x14},
    TPrimaryLanguage{QLocale::Polish, 0x15},    TPrimaryLanguage{QLocale::Portuguese, 0x16},
    TPrimaryLanguage{QLocale::Romanian, 0x18},  TPrimaryLanguage{QLocale::Russian, 0x19},
    TPrimaryLanguage{QLocale::Croatian, 0x1A},  TPrimaryLanguage{QLocale::Slovak, 0x1B},
    TPrimaryLanguage{QLocale::Albanian, 0x1C},  TPrimaryLanguage{QLocale::Swedish, 0x1D},
    TPrimaryLanguage{QLocale::Thai, 0x1E},      TPrimaryLanguage{QLocale::Turkish, 0x1F},
    TPrimaryLanguage{QLocale::Ukrainian, 0x22}, TPrimaryLanguage{QLocale::Slovenian, 0x24},
    TPrimaryLanguage{QLocale::Estonian, 0x25},  TPrimaryLanguage{QLocale::Latvian, 0x26},
    TPrimaryLanguage{QLocale::Lithuanian, 0x27},
};

constexpr std::array regionalLanguages{
    TRegionalLanguage{QLocale::Chinese, QLocale::Taiwan, 0x0404},
    TRegionalLanguage{QLocale::Chinese, QLocale::China, 0x0804},
    TRegionalLanguage{QLocale::Czech, QLocale::CzechRepublic, 0x0405},
    TRegionalLanguage{QLocale::Danish, QLocale::Denmark, 0x0406},
    TRegionalLanguage{QLocale::German, QLocale::Germany, 0x0407},
    TRegionalLanguage{QLocale::German, QLocale::Switzerland, 0x0807},
    TRegionalLanguage{QLocale::German, QLocale::Austria, 0x0C07},
    TRegionalLanguage{QLocale::English, QLocale::UnitedStates, 0x0409},
    TRegionalLanguage{QLocale::English, QLocale::UnitedKingdom, 0x0809},
    TRegionalLanguage{QLocale::English, QLocale::Australia, 0x0C09},
    TRegionalLanguage{QLocale::English, QLocale::Canada, 0x1009},
    TRegionalLanguage{QLocale::English, QLocale::NewZealand, 0x1409},
    TRegionalLanguage{QLocale::English, QLocale::Ireland, 0x1809},
    TRegionalLanguage{QLocale::Spanish, QLocale::Spain, 0x0C0A},
    TRegionalLanguage{QLocale::Spanish, QLocale::Mexico, 0x080A},
    TRegionalLanguage{QLocale::Finnish, QLocale::Finland, 0x040B},
    TRegionalLanguage{QLocale::French, QLocale::France, 0x040C},
    TRegionalLanguage{QLocale::French, QLocale::Belgium, 0x080C},
    TRegionalLanguage{QLocale::French, QLocale::Canada, 0x0C0C},
    TRegionalLanguage{QLocale::French, QLocale::Switzerland, 0x100C},
    TRegionalLanguage{QLocale::Hungarian, QLocale::Hungary, 0x040E},
    TRegionalLanguage{QLocale::Italian, QLocale::Italy, 0x0410},
    TRegionalLanguage{QLocale::Japanese, QLocale::Japan, 0x0411},
    TRegionalLanguage{QLocale::Korean, QLocale::SouthKorea, 0x0412},
    TRegionalLanguage{QLocale::Dutch, QLocale::Netherlands, 0x0413},
    TRegionalLanguage{QLocale::Dutch, QLocale::Belgium, 0x0813},
    TRegionalLanguage{QLocale::NorwegianBokmal, QLocale::Norway, 0x0414},
    TRegionalLanguage{QLocale::Polish, QLocale::Poland, 0x0415},
    TRegionalLanguage{QLocale::Portuguese, QLocale::Brazil, 0x0416},
    TRegionalLanguage{QLocale::Portuguese, QLocale::Portugal, 0x0816},
    TRegionalLanguage{QLocale::Russian, QLocale::Russia, 0x0419},
    TRegionalLanguage{QLocale::Slovak, QLocale::Slovakia, 0x041B},
    TRegionalLanguage{QLocale::Swedish, QLocale::Sweden, 0x041D},
    TRegionalLanguage{QLocale::Turkish, QLocale::Turkey, 0x041F},
    TRegionalLanguage{QLocale::Ukrainian, QLocale::Ukraine, 0x0422},
    TRegionalLanguage{QLocale::Slovenian, QLocale::Slovenia, 0x0424},
};

} // namespace

std::uint16_t WindowsLanguageId(const QLocale &locale) {
  for (const TRegionalLanguage &entry : regionalLanguages)
    if (entry.language == locale.language() && entry.territory == locale.territory())
      return entry.id;
  for (const TPrimaryLanguage &entry : primaryLanguages)
    if (entry.language == locale.language())
      return entry.id;
  return 0x0000;
}

QString LanguageIdText(std::uint16_t id) { return QString("%1").arg(id, 4, 16, QChar('0')).toUpper(); }

QString GetLanguageId() { return LanguageIdText(WindowsLanguageId(QLocale::system())); }
