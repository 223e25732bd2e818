// The frames of a sprite sheet: PatternWidth × PatternHeight cells from the top left, SkipWidth / SkipHeight apart.
#pragma once

struct TFrameGrid {
  int FrameWidth = 0, FrameHeight = 0; // one frame's size; 0 when the sheet has no frames
  int StepWidth = 0, StepHeight = 0;   // from one frame's top left to its neighbour's: the frame plus the gap
  int Columns = 0;                     // whole frames in a row of the sheet
  int Rows = 0;                        // whole frames in a column of the sheet

  int Count() const { return Columns * Rows; }
  // The columns right of the last whole frame and the rows below it; gaps between frames do not count.
  int LeftOverWidth(int sheetWidth) const { return Columns ? sheetWidth - (Columns - 1) * StepWidth - FrameWidth : 0; }
  int LeftOverHeight(int sheetHeight) const { return Rows ? sheetHeight - (Rows - 1) * StepHeight - FrameHeight : 0; }
};

// The frames of a picture of sheetWidth × sheetHeight. A pattern size of 0 spans the whole picture that way, and with
// both 0 there are no frames. Only frames lying wholly inside the picture count; negative values count as 0.
TFrameGrid FrameGridOf(int sheetWidth, int sheetHeight, int patternWidth, int patternHeight, int skipWidth,
                       int skipHeight);
