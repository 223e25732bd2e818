// Colour values to Qt colours: explicit RGB values and the desktop's system colours through palette roles.
#include "desktop/ColorMap.h"

#include <QGuiApplication>
#include <array>

namespace {

constexpr TColor SystemColorFlag = 0x80000000;

struct TSystemRole {
  QPalette::ColorGroup Group;
  QPalette::ColorRole Role;
};

// Indexed by the desktop's system colour number (scroll bar 0 … menu bar 30).
constexpr std::array<TSystemRole, 31> SystemRoles = {{
    {QPalette::Active, QPalette::Button},          // 0 scroll bar
    {QPalette::Active, QPalette::Dark},            // 1 desktop background
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Mid},           // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window background
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Window},          // 10 active border
    {QPalette::Inactive, QPalette::Window},        // 11 inactive border
    {QPalette::Active, QPalette::Dark},            // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 selection highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Mid},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Inactive, QPalette::Text},          // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 tooltip background
    {QPalette::Active, QPalette::Window},          // 25 unused
    {QPalette::Active, QPalette::Link},            // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // 27 active caption gradient
    {QPalette::Inactive, QPalette::Mid},           // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    {QPalette::Active, QPalette::Window},          // 30 menu bar
}};

} // namespace

QColor ColorToQColor(TColor color, const QPalette &palette, const QColor &defaultColor) {
  if (color == ColorValues::clNone)
    return QColor(Qt::transparent);
  if (color & SystemColorFlag) {
    const TColor index = color & ~SystemColorFlag;
    if (index >= SystemRoles.size())
      return defaultColor;
    return palette.color(SystemRoles[index].Group, SystemRoles[index].Role);
  }
  if (color > 0x00FFFFFF)
    return defaultColor;
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QColor ColorToQColor(TColor color) { return ColorToQColor(color, QGuiApplication::palette()); }

TColor QColorToColor(const QColor &color) {
  const QColor rgb = color.toRgb();
  return TColor(rgb.red()) | (TColor(rgb.green()) << 8) | (TColor(rgb.blue()) << 16);
}
