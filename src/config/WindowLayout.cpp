// Where the main window was and how it was laid out, kept in config.ini's section "WindowLayout".
#include "config/WindowLayout.h"

#include "platform/AppFolder.h"
#include "platform/IniFile.h"
#include "platform/IntegerText.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {
const char *const section = "WindowLayout";

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
  return layout;
}

void WriteWindowLayout(const TWindowLayout &layout) {
  Store({{"Left", IntToStr(layout.Left)},
         {"Top", IntToStr(layout.Top)},
         {"Width", IntToStr(layout.Width)},
         {"Height", IntToStr(layout.Height)},
         {"Maximized", layout.Maximized ? "1" : "0"},
         {"PreviewWidth", IntToStr(layout.PreviewWidth)}});
}

void ForgetWindowLayout() {
  Store({{"Left", ""}, {"Top", ""}, {"Width", ""}, {"Height", ""}, {"Maximized", ""}, {"PreviewWidth", ""}});
}
