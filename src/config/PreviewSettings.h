// Whether the main window shows its entry preview, kept in config.ini as "Visible" of section "Preview".
#pragma once

// True when the key is missing (the pane is shown by default) or holds anything but 0.
bool ReadPreviewVisible();
// Throws EIniFileException when config.ini cannot be written.
void WritePreviewVisible(bool visible);
