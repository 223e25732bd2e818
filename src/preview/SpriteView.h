// The entry preview's picture: drawn over a checkerboard at a zoom (nearest neighbour), with the frame grid over it
// or one frame alone.
#pragma once

#include "preview/FrameGrid.h"

#include <QImage>
#include <QWidget>

// The picture with every pixel of colour (its alpha ignored) made fully transparent.
QImage MaskColor(const QImage &picture, QRgb color);

// How far a picture is enlarged to fill room: the largest whole factor (at most 16) when it fits at its own size,
// so that pixels stay square; the fraction that fits it when it is larger.
double FitZoom(QSize picture, QSize room);

class TSpriteView : public QWidget {
public:
  explicit TSpriteView(QWidget *parent);

  // An ARGB32 picture; a null image shows nothing.
  void SetPicture(const QImage &picture);
  // zoom 0 fits the picture into Room(); otherwise the factor (1, 2, 4).
  void SetZoom(double zoom);
  void SetFrameGrid(const TFrameGrid &grid, bool shown);
  // Shows only this frame of the grid (enlarged as the whole picture would be); -1 shows the whole picture.
  void SetSingleFrame(int index);
  // The space the picture may take when it fits: the scroll area's viewport around the view.
  void SetRoom(QSize room);

  // The factor the picture is drawn at now.
  double Zoom() const;
  // Where the picture (or the single frame) is drawn, in the view's coordinates.
  QRect PictureRect() const;
  // The frames' outlines as drawn, in the view's coordinates; empty while the grid is hidden.
  QRect FrameOutline(int index) const;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QImage Shown() const;
  void Relayout();

  QImage picture;
  TFrameGrid grid;
  bool gridShown = false;
  int singleFrame = -1;
  double zoom = 0;
  QSize room;
};
