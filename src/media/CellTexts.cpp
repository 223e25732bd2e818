// The texts of the grid cells: colours by name or as "$" and 8 hexadecimal digits, booleans, integers.
#include "media/CellTexts.h"

#include "platform/IntegerText.h"

#include <cstdio>
#include <strings.h>

const std::vector<TColorName> &ColorNames() {
  static const std::vector<TColorName> names = {
      {"clBlack", 0x000000},   {"clMaroon", 0x000080},     {"clGreen", 0x008000},
      {"clOlive", 0x008080},   {"clNavy", 0x800000},       {"clPurple", 0x800080},
      {"clTeal", 0x808000},    {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
      {"clRed", 0x0000FF},     {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
      {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
      {"clWhite", 0xFFFFFF},   {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
      {"clCream", 0xF0FBFF},   {"clMedGray", 0xA4A0A0},    {"clNone", clNone},
      {"clDefault", clDefault},
      {"clScrollBar", clSystemColor + 0},
      {"clBackground", clSystemColor + 1},
      {"clActiveCaption", clSystemColor + 2},
      {"clInactiveCaption", clSystemColor + 3},
      {"clMenu", clSystemColor + 4},
      {"clWindow", clSystemColor + 5},
      {"clWindowFrame", clSystemColor + 6},
      {"clMenuText", clSystemColor + 7},
      {"clWindowText", clSystemColor + 8},
      {"clCaptionText", clSystemColor + 9},
      {"clActiveBorder", clSystemColor + 10},
      {"clInactiveBorder", clSystemColor + 11},
      {"clAppWorkSpace", clSystemColor + 12},
      {"clHighlight", clSystemColor + 13},
      {"clHighlightText", clSystemColor + 14},
      {"clBtnFace", clSystemColor + 15},
      {"clBtnShadow", clSystemColor + 16},
      {"clGrayText", clSystemColor + 17},
      {"clBtnText", clSystemColor + 18},
      {"clInactiveCaptionText", clSystemColor + 19},
      {"clBtnHighlight", clSystemColor + 20},
      {"cl3DDkShadow", clSystemColor + 21},
      {"cl3DLight", clSystemColor + 22},
      {"clInfoText", clSystemColor + 23},
      {"clInfoBk", clSystemColor + 24},
      {"clGradientActiveCaption", clSystemColor + 27},
      {"clGradientInactiveCaption", clSystemColor + 28},
  };
  return names;
}

std::string ColorToString(TColor color) {
  for (const auto &named : ColorNames())
    if (named.Value == color)
      return named.Name;
  char text[10];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
  return text;
}

TColor StringToColor(std::string_view text) {
  const std::string name(text);
  for (const auto &named : ColorNames())
    if (strcasecmp(named.Name, name.c_str()) == 0)
      return named.Value;
  return static_cast<TColor>(StrToInt(text));
}

std::string BoolToString(TByteBool value) { return value ? "True" : "False"; }

bool StringToBool(std::string_view text) { return text == "True"; }
