// The "description|mask|description|mask" filter form of the file dialogs, translated for Qt's file dialog.
#pragma once

#include <QStringList>

class QFileDialog;

// One Qt name filter per pair: "description (pattern pattern)"; masks are split at ";", and "*.*" means every file.
QStringList NameFiltersFromFilter(const QString &filter);

// Sets dialog's name filters from filter, shows only the descriptions (as the user typed them),
// and matches the patterns regardless of letter case, so "*.BMP" finds photo.bmp.
void ApplyFileFilter(QFileDialog &dialog, const QString &filter);
