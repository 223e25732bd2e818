// The core's frame grid in Qt's geometry: a frame's rectangle, the grid of a picture's size.
#pragma once

#include "media/FrameGrid.h"

#include <QRect>
#include <QSize>

// Frame index (0 .. Count() - 1) counted left to right, then top to bottom; an empty rectangle for any other index.
QRect FrameRect(const TFrameGrid &grid, int index);
inline QSize FrameSize(const TFrameGrid &grid) { return QSize(grid.FrameWidth, grid.FrameHeight); }
inline QSize StepSize(const TFrameGrid &grid) { return QSize(grid.StepWidth, grid.StepHeight); }
inline TFrameGrid FrameGridOf(QSize sheet, int patternWidth, int patternHeight, int skipWidth, int skipHeight) {
  return FrameGridOf(sheet.width(), sheet.height(), patternWidth, patternHeight, skipWidth, skipHeight);
}
