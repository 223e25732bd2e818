// Localised text lists: entries "Key=Text" keyed by "Default" or by four hexadecimal digits of a language identifier.
#pragma once

#include <QString>
#include <QStringList>

// The text for the language languageId (e.g. "0809") whose primary language is primaryId ("0009"): the entry of
// the language, else of its primary language, else "Default", else the first entry (empty when it has no "=").
// Keys are compared without regard to case; of several entries with one key the first counts.
QString LocalizedText(const QStringList &list, const QString &languageId, const QString &primaryId);

// The list with the text of its first entry named key replaced (or the entry appended when there is none).
QStringList WithLocalizedEntry(QStringList list, const QString &key, const QString &text);

// The low 10 bits (the primary language) of a four-digit hexadecimal language identifier, as four digits.
QString PrimaryLanguageId(const QString &languageId);

// The built-in lists: Default, then Danish, German, English, French and Dutch by primary language (0006, 0007,
// 0009, 000C, 0013) and again by their main country (0406, 0407, 0409, 040C, 0413).
QStringList DefaultNoPreviewTexts();
QStringList DefaultPreviewCaptions();
QStringList DefaultScaleHints();
QStringList DefaultWordWrapHints();
QStringList DefaultShowPreviewButtonHints();
