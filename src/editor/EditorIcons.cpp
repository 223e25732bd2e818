// The editor's pictures: the ten 16 × 16 menu icons of ImageList1 and the program's icon, all drawn here.
#include "editor/EditorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {
const QColor ink(0x30, 0x30, 0x30);
const QColor paper(0xFF, 0xFF, 0xFF);
const QColor folder(0xE8, 0xB8, 0x30);
const QColor blue(0x20, 0x60, 0xC0);
const QColor green(0x20, 0x90, 0x30);
const QColor red(0xC8, 0x20, 0x20);

QPixmap Draw16(const std::function<void(QPainter &)> &draw) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(ink, 1));
  draw(p);
  return pixmap;
}

void Page(QPainter &p) {
  QPainterPath page;
  page.moveTo(3.5, 1.5);
  page.lineTo(9.5, 1.5);
  page.lineTo(12.5, 4.5);
  page.lineTo(12.5, 14.5);
  page.lineTo(3.5, 14.5);
  page.closeSubpath();
  p.setBrush(paper);
  p.drawPath(page);
  p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
}

void Picture(QPainter &p, QRectF r) {
  p.setBrush(QColor(0xB0, 0xD8, 0xF8));
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xF0, 0xC0, 0x20));
  p.drawEllipse(QPointF(r.right() - r.width() * 0.28, r.top() + r.height() * 0.3), r.width() * 0.12, r.width() * 0.12);
  p.setBrush(green);
  p.drawPolygon(QPolygonF({QPointF(r.left() + 0.5, r.bottom() - 0.5), QPointF(r.left() + r.width() * 0.38, r.top() + r.height() * 0.38),
                           QPointF(r.left() + r.width() * 0.7, r.bottom() - 0.5)}));
  p.setPen(QPen(ink, r.width() / 14));
}

void Note(QPainter &p, QRectF r, const QColor &color) {
  const double s = r.width() / 16;
  p.setPen(QPen(color, 1.6 * s));
  p.setBrush(color);
  p.drawLine(QPointF(r.left() + 6 * s, r.top() + 12 * s), QPointF(r.left() + 6 * s, r.top() + 3 * s));
  p.drawLine(QPointF(r.left() + 13 * s, r.top() + 10 * s), QPointF(r.left() + 13 * s, r.top() + 1.5 * s));
  p.drawLine(QPointF(r.left() + 6 * s, r.top() + 3 * s), QPointF(r.left() + 13 * s, r.top() + 1.5 * s));
  p.drawEllipse(QPointF(r.left() + 4.3 * s, r.top() + 12.3 * s), 2.2 * s, 1.7 * s);
  p.drawEllipse(QPointF(r.left() + 11.3 * s, r.top() + 10.3 * s), 2.2 * s, 1.7 * s);
}

void Round(QPainter &p, const QColor &color, const QString &letter) {
  p.setBrush(color);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(1, 1, 14, 14));
  p.setPen(paper);
  QFont font;
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, letter);
}

QPixmap Icon16(int index) {
  switch (index) {
  case iconNew:
    return Draw16([](QPainter &p) { Page(p); });
  case iconOpen:
    return Draw16([](QPainter &p) {
      p.setBrush(folder.darker(115));
      p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(5.5, 3.5), QPointF(6.5, 4.5), QPointF(12.5, 4.5),
                               QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
      p.setBrush(folder);
      p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
    });
  case iconSave:
    return Draw16([](QPainter &p) {
      p.setBrush(blue);
      p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
      p.setBrush(paper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(0xD0, 0xD0, 0xD0));
      p.drawRect(QRectF(4.5, 9.5, 7, 5));
    });
  case iconExit:
    return Draw16([](QPainter &p) {
      p.setBrush(QColor(0xA0, 0x70, 0x40));
      p.drawRect(QRectF(2.5, 1.5, 7, 13));
      p.setPen(QPen(red, 2));
      p.drawLine(QPointF(7, 8), QPointF(14, 8));
      p.drawLine(QPointF(11, 5), QPointF(14, 8));
      p.drawLine(QPointF(11, 11), QPointF(14, 8));
    });
  case iconImages:
    return Draw16([](QPainter &p) { Picture(p, QRectF(1.5, 2.5, 13, 11)); });
  case iconSounds:
    return Draw16([](QPainter &p) { Note(p, QRectF(0, 0, 16, 16), blue); });
  case iconAdd:
    return Draw16([](QPainter &p) {
      p.setPen(Qt::NoPen);
      p.setBrush(green);
      p.drawRect(QRectF(6.5, 2, 3, 12));
      p.drawRect(QRectF(2, 6.5, 12, 3));
    });
  case iconRemove:
    return Draw16([](QPainter &p) {
      p.setPen(QPen(red, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
    });
  case iconHelp:
    return Draw16([](QPainter &p) { Round(p, blue, QStringLiteral("?")); });
  case iconAbout:
    return Draw16([](QPainter &p) { Round(p, green, QStringLiteral("i")); });
  default:
    return {};
  }
}
} // namespace

QIcon ImageList1(int index) { return QIcon(Icon16(index)); }

QImage ProgramImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  // The container: a box with its lid, holding a picture and a note.
  p.setPen(QPen(ink, 2));
  p.setBrush(QColor(0xC8, 0x8A, 0x40));
  p.drawRoundedRect(QRectF(5, 20, 54, 40), 4, 4);
  p.setBrush(QColor(0xE0, 0xA8, 0x58));
  p.drawRoundedRect(QRectF(2, 13, 60, 11), 3, 3);
  Picture(p, QRectF(10, 28, 24, 20));
  p.setPen(QPen(ink, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(10, 28, 24, 20));
  Note(p, QRectF(36, 27, 22, 22), QColor(0x20, 0x30, 0x90));
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128})
    icon.addPixmap(QPixmap::fromImage(ProgramImage(size)));
  return icon;
}
