// The preview's image control: a picture drawn centred at its own size or shrunk to fit with its proportions
// kept, or the control taking the picture's size so that the scroll box around it scrolls.
#include "preview/PreviewImage.h"

#include <QPainter>
#include <QTimer>

QRect PicturePlacement(QSize client, QSize picture, bool stretch, bool proportional, bool center) {
  const int cw = client.width();
  const int ch = client.height();
  int w = picture.width();
  int h = picture.height();
  if (stretch || (proportional && (w > cw || h > ch))) {
    if (proportional && w > 0 && h > 0) {
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  QRect placed(0, 0, w, h);
  if (center)
    placed.translate((cw - w) / 2, (ch - h) / 2);
  return placed;
}

TPreviewImage::TPreviewImage(QWidget *parent) : QWidget(parent) {
  setObjectName("FPreviewImage");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewImage::Reset() {
  picture.reset();
  stretch = proportional = false;
  SetAutoSize(false);
  update();
}

void TPreviewImage::LoadPicture(const QString &path) { SetPicture(TPictureRegistry::LoadFromFile(path)); }

void TPreviewImage::SetPicture(std::unique_ptr<TPicture> newPicture) {
  picture = std::move(newPicture);
  update();
}

QSize TPreviewImage::PictureSize() const { return picture ? QSize(picture->Width(), picture->Height()) : QSize(0, 0); }

void TPreviewImage::SetStretch(bool on) {
  stretch = on;
  update();
}

void TPreviewImage::SetProportional(bool on) {
  proportional = on;
  update();
}

void TPreviewImage::SetAutoSize(bool on) {
  autoSize = on;
  setMinimumSize(on ? PictureSize() : QSize(0, 0));
  update();
}

QRect TPreviewImage::PictureRect() const {
  return PicturePlacement(size(), PictureSize(), stretch, proportional, true);
}

void TPreviewImage::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  if (!picture) {
    painter.fillRect(rect(), palette().color(QPalette::Base));
    return;
  }
  painter.fillRect(rect(), palette().color(QPalette::Button));
  try {
    picture->Draw(painter, PictureRect());
  } catch (const std::exception &) {
    // A picture that only decodes when drawn must not fail on every repaint: drop it and let the owner
    // show its no-preview text once painting is over.
    picture.reset();
    if (OnDrawFailed)
      QTimer::singleShot(0, this, [this] {
        if (OnDrawFailed)
          OnDrawFailed();
      });
  }
}
