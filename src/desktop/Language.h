// The user's language as a Windows language identifier (primary language in the low 10 bits, sublanguage above).
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

// The identifier of locale: "cs_CZ" gives 0x0405, "en_GB" 0x0809. A country the table does not know gives the
// bare primary language ("de_LI" gives 0x0007); a language it does not know, or the C locale, gives 0x0000.
std::uint16_t WindowsLanguageId(const QLocale &locale);

// Four upper-case hexadecimal digits: 0x0405 gives "0405".
QString LanguageIdText(std::uint16_t id);

// The user's language identifier from the system locale, as four upper-case hexadecimal digits.
QString GetLanguageId();
