// The frames of a sprite sheet: PatternWidth × PatternHeight cells from the top left, SkipWidth / SkipHeight apart.
#include "media/FrameGrid.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
// Whole frames of size frame, step apart, that fit into length.
int FramesAlong(int length, int frame, int step) {
  if (frame <= 0 || frame > length)
    return 0;
  return static_cast<int>((int64_t{length} - frame) / step + 1);
}
} // namespace

TFrameGrid FrameGridOf(int sheetWidth, int sheetHeight, int patternWidth, int patternHeight, int skipWidth,
                       int skipHeight) {
  TFrameGrid grid;
  patternWidth = std::max(patternWidth, 0);
  patternHeight = std::max(patternHeight, 0);
  if ((patternWidth == 0 && patternHeight == 0) || sheetWidth <= 0 || sheetHeight <= 0)
    return grid;
  const int frameWidth = patternWidth ? patternWidth : sheetWidth;
  const int frameHeight = patternHeight ? patternHeight : sheetHeight;
  // A gap only makes sense between frames; a negative one would make frames overlap.
  const int stepWidth = static_cast<int>(std::min<int64_t>(int64_t{frameWidth} + std::max(skipWidth, 0), INT32_MAX));
  const int stepHeight = static_cast<int>(std::min<int64_t>(int64_t{frameHeight} + std::max(skipHeight, 0), INT32_MAX));
  grid.Columns = FramesAlong(sheetWidth, frameWidth, stepWidth);
  grid.Rows = FramesAlong(sheetHeight, frameHeight, stepHeight);
  if (grid.Columns == 0 || grid.Rows == 0)
    return TFrameGrid{};
  grid.FrameWidth = frameWidth;
  grid.FrameHeight = frameHeight;
  grid.StepWidth = stepWidth;
  grid.StepHeight = stepHeight;
  return grid;
}
