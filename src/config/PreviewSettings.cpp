// Whether the main window shows its entry preview, kept in config.ini as "Visible" of section "Preview".
#include "config/PreviewSettings.h"

#include "platform/AppFolder.h"
#include "platform/IniFile.h"

namespace {
const char *const section = "Preview";
const char *const visibleKey = "Visible";
} // namespace

bool ReadPreviewVisible() { return TIniFile(ConfigIniPath()).ReadInteger(section, visibleKey, 1) != 0; }

void WritePreviewVisible(bool visible) { TIniFile(ConfigIniPath()).WriteInteger(section, visibleKey, visible ? 1 : 0); }
