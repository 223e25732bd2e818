// The editor windows' 8-point sans serif: a compact Arial-like face where the desktop has one.
#include "desktop/DesktopFont.h"

#include <QApplication>

QFont SmallSansFont() {
  // The windows were laid out for a narrow 8-point face; these match its widths best, the system's face comes last.
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                    QStringLiteral("Arial"), QStringLiteral("Helvetica"), QApplication::font().family()});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}
