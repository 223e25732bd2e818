// Where the main window was and how it was laid out, kept in config.ini's section "WindowLayout".
#include "config/WindowLayout.h"

#include "platform/AppFolder.h"
#include "platform/IniFile.h"
#include "platform/IntegerText.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

namespace {
const char *const section = "WindowLayout";

// A grid has a handful of columns; a longer list in config.ini is cut here rather than kept whole.
constexpr std::size_t mostColumns = 64;

// "180,0,,95": a width per column, 0 or empty where the user set none; what is no number counts as none.
std::vector<int> ParseWidths(const std::string &text) {
  std::vector<int> widths;
  std::size_t start = 0;
  while (!text.empty() && start <= text.size() && widths.size() < mostColumns) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    int32_t width = 0;
    if (!TryStrToInt(std::string_view(text).substr(start, comma - start), width))
      width = 0;
    widths.push_back(width);
    start = comma + 1;
  }
  return widths;
}

// Empty when the user set no width, so that the key reads back as missing.
std::string WidthsText(const std::vector<int> &widths) {
  if (std::all_of(widths.begin(), widths.end(), [](int width) { return width == 0; }))
    return {};
  std::string text;
  for (std::size_t col = 0; col < widths.size(); ++col) {
    if (col > 0)
      text += ',';
    text += IntToStr(widths[col]);
  }
  return text;
}

// Every key in one replacement of the file; empty values read back as missing.
void Store(const std::vector<std::pair<std::string, std::string>> &values) {
  TIniFile(ConfigIniPath()).WriteStrings(section, values);
}
} // namespace

TWindowLayout ReadWindowLayout() {
  const TIniDocument ini = TIniDocument::Load(ConfigIniPath());
  TWindowLayout layout;
  layout.Width = ini.ReadInteger(section, "Width", 0);
  layout.Height = ini.ReadInteger(section, "Height", 0);
  layout.Known = layout.Width > 0 && layout.Height > 0;
  layout.Left = ini.ReadInteger(section, "Left", 0);
  layout.Top = ini.ReadInteger(section, "Top", 0);
  layout.Maximized = ini.ReadInteger(section, "Maximized", 0) != 0;
  layout.PreviewWidth = std::max(0, ini.ReadInteger(section, "PreviewWidth", 0));
  layout.ImageColumnWidths = ParseWidths(ini.ReadString(section, "ImageColumnWidths", ""));
  layout.SoundColumnWidths = ParseWidths(ini.ReadString(section, "SoundColumnWidths", ""));
  return layout;
}

void WriteWindowLayout(const TWindowLayout &layout) {
  Store({{"Left", IntToStr(layout.Left)},
         {"Top", IntToStr(layout.Top)},
         {"Width", IntToStr(layout.Width)},
         {"Height", IntToStr(layout.Height)},
         {"Maximized", layout.Maximized ? "1" : "0"},
         {"PreviewWidth", IntToStr(layout.PreviewWidth)},
         {"ImageColumnWidths", WidthsText(layout.ImageColumnWidths)},
         {"SoundColumnWidths", WidthsText(layout.SoundColumnWidths)}});
}

void ForgetWindowLayout() {
  Store({{"Left", ""},
         {"Top", ""},
         {"Width", ""},
         {"Height", ""},
         {"Maximized", ""},
         {"PreviewWidth", ""},
         {"ImageColumnWidths", ""},
         {"SoundColumnWidths", ""}});
}
