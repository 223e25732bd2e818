// Where the main window was and how it was laid out, kept in config.ini's section "WindowLayout".
#pragma once

struct TWindowLayout {
  // False when config.ini holds no size: the window takes its design layout.
  bool Known = false;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Maximized = false;
  // The preview pane's width; 0 when none was remembered.
  int PreviewWidth = 0;
};

TWindowLayout ReadWindowLayout();
// Throws EIniFileException when config.ini cannot be written.
void WriteWindowLayout(const TWindowLayout &layout);
// Empties the section, so that the next start takes the design layout.
void ForgetWindowLayout();
