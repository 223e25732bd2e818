// Where the main window was and how it was laid out, kept in config.ini's section "WindowLayout".
#pragma once

#include <vector>

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
  // By column, the widths the user gave the images grid and the sounds grid; 0 where a column keeps its default.
  // Read as written: whether a width fits a column is for the grid to say.
  std::vector<int> ImageColumnWidths;
  std::vector<int> SoundColumnWidths;
};

TWindowLayout ReadWindowLayout();
// Throws EIniFileException when config.ini cannot be written.
void WriteWindowLayout(const TWindowLayout &layout);
// Empties the section, so that the next start takes the design layout.
void ForgetWindowLayout();
