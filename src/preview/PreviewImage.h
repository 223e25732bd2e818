// The preview's image control: a picture drawn centred at its own size or shrunk to fit with its proportions
// kept, or the control taking the picture's size so that the scroll box around it scrolls.
#pragma once

#include "pictures/Pictures.h"

#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

// Where a w × h picture is drawn in a control of client size cw × ch. With stretch, or with proportional and a
// picture larger than the control, it is shrunk (proportional keeps the aspect, truncating) or stretched to fill;
// otherwise it keeps its size. With center it is then centred, offsets truncated toward zero.
QRect PicturePlacement(QSize client, QSize picture, bool stretch, bool proportional, bool center);

class TPreviewImage : public QWidget {
public:
  explicit TPreviewImage(QWidget *parent);

  // Drops the picture and every setting: a blank canvas in the window colour, centred, no scaling, no auto-size.
  void Reset();
  // Loads path with the picture format registered for its extension; throws Exception when that fails.
  void LoadPicture(const QString &path);
  // Shows a picture made elsewhere (a custom preview's).
  void SetPicture(std::unique_ptr<TPicture> newPicture);
  bool HasPicture() const { return picture != nullptr; }
  // The picture's own size; 0 × 0 without a picture.
  QSize PictureSize() const;

  void SetStretch(bool on);
  void SetProportional(bool on);
  // On: the control takes the picture's size (the box around it scrolls); off: the control fills the box.
  void SetAutoSize(bool on);
  bool Stretch() const { return stretch; }
  bool Proportional() const { return proportional; }
  bool AutoSize() const { return autoSize; }
  // Where the picture is drawn now, in the control's coordinates.
  QRect PictureRect() const;

  // Called (once per picture) when a picture that decodes on first drawing fails to; the picture is dropped.
  std::function<void()> OnDrawFailed;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  std::unique_ptr<TPicture> picture;
  bool stretch = false;
  bool proportional = false;
  bool autoSize = false;
};
