// The preview dialog's button glyphs "SCALEBUTTON", "WORDWRAPBUTTON" and "SHOWPREVIEWBUTTON" from its resources.
#include "preview/Glyphs.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>

// The resources live in a static library: nothing would pull them into the program unless asked for here.
static void InitPreviewResources() { Q_INIT_RESOURCE(OpenPreview); }

QIcon Glyph(const QString &name) {
  InitPreviewResources();
  const QImage image(":/preview/" + name);
  QPixmap pixmap = QPixmap::fromImage(image);
  if (!image.isNull())
    pixmap.setMask(pixmap.createMaskFromColor(image.pixelColor(0, image.height() - 1), Qt::MaskInColor));
  return QIcon(pixmap);
}
