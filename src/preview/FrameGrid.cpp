// The core's frame grid in Qt's geometry.
#include "preview/FrameGrid.h"

QRect FrameRect(const TFrameGrid &grid, int index) {
  if (index < 0 || index >= grid.Count())
    return {};
  return QRect(index % grid.Columns * grid.StepWidth, index / grid.Columns * grid.StepHeight, grid.FrameWidth,
               grid.FrameHeight);
}
