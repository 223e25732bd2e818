// The status bar's panels beside the kind and the file: the entries with their total size, and the current row.
#include "editor/StatusPanels.h"

#include "media/FileList.h"
#include "platform/TextLanguage.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

QString SizeText(int64_t bytes) {
  constexpr double kilo = 1024.0;
  const bool mega = bytes >= 1024 * 1024;
  const double value = double(bytes) / (mega ? kilo * kilo : kilo);
  QString number = bytes == 0 ? QStringLiteral("0") : QString::number(value, 'f', 1);
  number.replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator()));
  return number + (mega ? QStringLiteral(" MB") : QStringLiteral(" kB"));
}

QString EntriesText(int count) {
  if (count == 1)
    return QCoreApplication::translate("TStatusPanels", "1 položka");
  if (count >= 2 && count <= 4)
    return QCoreApplication::translate("TStatusPanels", "%1 položky").arg(count);
  return QCoreApplication::translate("TStatusPanels", "%1 položek").arg(count);
}

TStatusPanels::TStatusPanels(QStatusBar &bar) : entries(new QLabel(&bar)), position(new QLabel(&bar)) {
  entries->setObjectName(QStringLiteral("StatusPanel2"));
  position->setObjectName(QStringLiteral("StatusPanel3"));
  for (QLabel *panel : {entries, position}) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar.addPermanentWidget(panel);
  }
  entries->setMinimumWidth(140);
  position->setMinimumWidth(110);
}

void TStatusPanels::Update(const TFileList &list, int row, std::optional<int> shown) {
  int64_t total = 0;
  for (const auto &item : list.Items())
    total += item->Size;
  const int rows = shown.value_or(list.Count());
  entries->setText(QLatin1Char(' ') +
                   (shown ? QCoreApplication::translate("TStatusPanels", "Zobrazeno %1 z %2 položek").arg(*shown).arg(list.Count())
                          : EntriesText(list.Count())) +
                   QStringLiteral(", ") + SizeText(total));
  const bool onEntry = row >= 1 && row <= rows;
  position->setText(onEntry ? QCoreApplication::translate("TStatusPanels", " Položka %1 z %2").arg(row).arg(rows)
                            : QString());
}
