// Localised text lists: entries "Key=Text" keyed by "Default" or by four hexadecimal digits of a language identifier.
#include "preview/LocalizedList.h"

#include "desktop/Language.h"

namespace {

// An entry without "=" has no name, so no key finds it.
QString NameOf(const QString &entry) {
  const qsizetype equals = entry.indexOf('=');
  return equals < 0 ? QString() : entry.left(equals);
}

QString TextOf(const QString &entry) {
  const qsizetype equals = entry.indexOf('=');
  return equals < 0 ? QString() : entry.mid(equals + 1);
}

qsizetype IndexOfName(const QStringList &list, const QString &name) {
  for (qsizetype i = 0; i < list.size(); ++i)
    if (NameOf(list[i]).compare(name, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

QStringList BuiltInList(const QString &fallback, const QString &danish, const QString &german, const QString &english,
                        const QString &french, const QString &dutch) {
  return {"Default=" + fallback, "0006=" + danish, "0007=" + german, "0009=" + english,
          "000C=" + french,      "0013=" + dutch,  "0406=" + danish, "0407=" + german,
          "0409=" + english,     "040C=" + french, "0413=" + dutch};
}

} // namespace

QString LocalizedText(const QStringList &list, const QString &languageId, const QString &primaryId) {
  if (list.isEmpty())
    return {};
  for (const QString &key : {languageId, primaryId, QString("Default")})
    if (const qsizetype index = IndexOfName(list, key); index >= 0)
      return TextOf(list[index]);
  return TextOf(list.first());
}

QStringList WithLocalizedEntry(QStringList list, const QString &key, const QString &text) {
  const qsizetype index = IndexOfName(list, key);
  if (index >= 0)
    list[index] = NameOf(list[index]) + "=" + text;
  else
    list << key + "=" + text;
  return list;
}

QString PrimaryLanguageId(const QString &languageId) {
  return LanguageIdText(static_cast<std::uint16_t>(languageId.toUInt(nullptr, 16) & 0x3FF));
}

QStringList DefaultNoPreviewTexts() {
  return BuiltInList("No preview", "Ingen visning", "Keine Vorschau", "No preview", "Rien de montrer",
                     "Geen voorbeeld");
}

QStringList DefaultPreviewCaptions() {
  return BuiltInList("Preview:", "Prøvevisning:", "Vorschau:", "Preview:", "Épreuve:", "Voorbeeld:");
}

QStringList DefaultScaleHints() {
  return BuiltInList("Scale to fit", "Komprimér størrelse", "Größe anpassen", "Scale to fit", "Compression",
                     "Opschalen");
}

QStringList DefaultWordWrapHints() {
  return BuiltInList("Word-wrap", "Liniedeling", "Zeilenumbruch", "Word-wrap", "Division de lignes",
                     "Regels afbreken");
}

QStringList DefaultShowPreviewButtonHints() {
  return BuiltInList("Show Preview", "Vis prøve", "Vorschau", "Show Preview", "Montrer l'epreuve",
                     "Toon Voorbeeld");
}
