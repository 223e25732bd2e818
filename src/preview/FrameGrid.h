// The frames of a sprite sheet: PatternWidth × PatternHeight cells from the top left, SkipWidth / SkipHeight apart.
#pragma once

#include <QRect>
#include <QSize>

struct TFrameGrid {
  QSize Frame;      // one frame's size; empty when the sheet has no frames
  QSize Step;       // from one frame's top left to its neighbour's: the frame plus the gap
  int Columns = 0;  // whole frames in a row of the sheet
  int Rows = 0;     // whole frames in a column of the sheet

  int Count() const { return Columns * Rows; }
  // Frame index (0 .. Count() - 1) counted left to right, then top to bottom.
  QRect FrameRect(int index) const;
};

// The frames of a picture of size sheet. A pattern size of 0 spans the whole picture that way, and with both 0 there
// are no frames. Only frames lying wholly inside the picture count; negative values count as 0.
TFrameGrid FrameGridOf(QSize sheet, int patternWidth, int patternHeight, int skipWidth, int skipHeight);
