// The "description|mask|description|mask" filter form of the file dialogs, translated for Qt's file dialog.
#include "desktop/FileFilter.h"

#include <QFileDialog>

namespace {

QString PatternsFromMask(const QString &mask) {
  QStringList patterns;
  for (const QString &part : mask.split(';', Qt::SkipEmptyParts)) {
    const QString pattern = part.trimmed();
    if (pattern.isEmpty())
      continue;
    // On the desktop these filters come from, "*.*" also lists names without a dot.
    patterns << (pattern == "*.*" ? QString("*") : pattern);
  }
  return patterns.isEmpty() ? QString("*") : patterns.join(' ');
}

} // namespace

QStringList NameFiltersFromFilter(const QString &filter) {
  QStringList result;
  const QStringList parts = filter.split('|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    result << QString("%1 (%2)").arg(description, PatternsFromMask(parts[i + 1]));
  }
  // A lone description without a mask is kept as a filter for every file rather than dropped.
  if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty())
    result << QString("%1 (*)").arg(parts.back().trimmed());
  return result;
}

void ApplyFileFilter(QFileDialog &dialog, const QString &filter) {
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  // The model builds its pattern matchers when the name filters are set, so the letter-case flag goes first.
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  const QStringList filters = NameFiltersFromFilter(filter);
  dialog.setNameFilters(filters.isEmpty() ? QStringList{"*"} : filters);
}
