// The entry preview's picture: drawn over a checkerboard at a zoom (nearest neighbour), with the frame grid over it
// or one frame alone.
#include "preview/SpriteView.h"

#include "pictures/QtPicture.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int checkerSquare = 8;
constexpr double largestFitZoom = 16;
// Frames drawn smaller than this are not outlined: the lines would hide the picture.
constexpr int smallestOutlinedFrame = 3;

void PaintCheckerboard(QPainter &painter, const QRect &area) {
  const QColor light(0xFF, 0xFF, 0xFF), dark(0xCC, 0xCC, 0xCC);
  painter.fillRect(area, light);
  for (int y = area.top(); y <= area.bottom(); y += checkerSquare)
    for (int x = area.left() + ((y - area.top()) / checkerSquare % 2) * checkerSquare; x <= area.right();
         x += 2 * checkerSquare)
      painter.fillRect(QRect(x, y, checkerSquare, checkerSquare) & area, dark);
}
} // namespace

QImage MaskColor(const QImage &picture, QRgb color) {
  QImage masked = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb wanted = color & RGB_MASK;
  for (int y = 0; y < masked.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
    for (int x = 0; x < masked.width(); ++x)
      if ((line[x] & RGB_MASK) == wanted)
        line[x] = 0;
  }
  return masked;
}

double FitZoom(QSize picture, QSize room) {
  if (picture.isEmpty() || room.isEmpty())
    return 1;
  const double across = static_cast<double>(room.width()) / picture.width();
  const double down = static_cast<double>(room.height()) / picture.height();
  const double fits = std::min(across, down);
  return fits >= 1 ? std::min(std::floor(fits), largestFitZoom) : fits;
}

TSpriteView::TSpriteView(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("PreviewCanvas")); }

void TSpriteView::SetPicture(const QImage &newPicture) {
  picture = newPicture;
  singleFrame = -1;
  Relayout();
}

void TSpriteView::SetZoom(double newZoom) {
  zoom = newZoom;
  Relayout();
}

void TSpriteView::SetFrameGrid(const TFrameGrid &newGrid, bool shown) {
  grid = newGrid;
  gridShown = shown;
  if (singleFrame >= grid.Count())
    singleFrame = -1;
  Relayout();
}

void TSpriteView::SetSingleFrame(int index) {
  singleFrame = index >= 0 && index < grid.Count() ? index : -1;
  Relayout();
}

void TSpriteView::SetRoom(QSize newRoom) {
  room = newRoom;
  Relayout();
}

QImage TSpriteView::Shown() const { return singleFrame >= 0 ? picture.copy(FrameRect(grid, singleFrame)) : picture; }

double TSpriteView::Zoom() const {
  if (zoom > 0)
    return zoom;
  const QSize size = singleFrame >= 0 ? FrameSize(grid) : picture.size();
  return FitZoom(size, room);
}

QRect TSpriteView::PictureRect() const {
  const QSize size = singleFrame >= 0 ? FrameSize(grid) : picture.size();
  if (size.isEmpty())
    return {};
  const QSize scaled(std::max(1, static_cast<int>(size.width() * Zoom())),
                     std::max(1, static_cast<int>(size.height() * Zoom())));
  return QRect(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
}

QRect TSpriteView::FrameOutline(int index) const {
  if (!gridShown || singleFrame >= 0 || index < 0 || index >= grid.Count())
    return {};
  const QRect frame = FrameRect(grid, index);
  const QRect target = PictureRect();
  const double scale = Zoom();
  const QPoint topLeft(target.left() + static_cast<int>(frame.left() * scale),
                       target.top() + static_cast<int>(frame.top() * scale));
  const QPoint bottomRight(target.left() + static_cast<int>((frame.right() + 1) * scale) - 1,
                           target.top() + static_cast<int>((frame.bottom() + 1) * scale) - 1);
  return QRect(topLeft, bottomRight);
}

void TSpriteView::Relayout() {
  // The view is at least as large as the scroll area's viewport, so that a small picture sits in its middle, and as
  // large as the enlarged picture, so that a large one scrolls.
  const QSize size = singleFrame >= 0 ? FrameSize(grid) : picture.size();
  const double scale = Zoom();
  const QSize scaled(static_cast<int>(size.width() * scale), static_cast<int>(size.height() * scale));
  resize(scaled.expandedTo(room));
  update();
}

void TSpriteView::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  const QImage shown = Shown();
  const QRect target = PictureRect();
  const QRect visible = target & event->rect();
  if (shown.isNull() || visible.isEmpty())
    return;
  PaintCheckerboard(painter, visible);
  painter.drawImage(visible.topLeft(), ScaleNearest(shown, target.size(), visible.translated(-target.topLeft())));
  if (!gridShown || singleFrame >= 0 || grid.Count() == 0 ||
      std::min(FrameSize(grid).width(), FrameSize(grid).height()) * Zoom() < smallestOutlinedFrame)
    return;
  // Only the frames that meet the repainted part are outlined: a sheet of thousands of frames costs what shows.
  const double scale = Zoom();
  const int firstColumn = std::max(0, static_cast<int>((visible.left() - target.left()) / scale / StepSize(grid).width()));
  const int lastColumn =
      std::min(grid.Columns - 1, static_cast<int>((visible.right() - target.left()) / scale / StepSize(grid).width()));
  const int firstRow = std::max(0, static_cast<int>((visible.top() - target.top()) / scale / StepSize(grid).height()));
  const int lastRow =
      std::min(grid.Rows - 1, static_cast<int>((visible.bottom() - target.top()) / scale / StepSize(grid).height()));
  // Black dashes over white show on any picture, whatever its colours.
  QPen light(Qt::white, 1);
  QPen dashes(Qt::black, 1, Qt::CustomDashLine);
  dashes.setDashPattern({2, 2});
  painter.setBrush(Qt::NoBrush);
  for (int row = firstRow; row <= lastRow; ++row)
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const QRect outline = FrameOutline(row * grid.Columns + column);
      for (const QPen &pen : {light, dashes}) {
        painter.setPen(pen);
        painter.drawRect(outline.adjusted(0, 0, -1, -1)); // drawRect adds one pixel to the width and height
      }
    }
}
