// Colour values to Qt colours and back: RGB byte order, system colours through the palette, the special values.
#include "desktop/ColorMap.h"

#include <QGuiApplication>
#include <QTest>

class TColorMapTest : public QObject {
  Q_OBJECT
private slots:
  void RedIsTheLowestByte();
  void SystemColoursFollowThePalette();
  void SpecialAndUnknownValues();
};

void TColorMapTest::RedIsTheLowestByte() {
  QCOMPARE(ColorToQColor(0x000000FF), QColor(255, 0, 0));
  QCOMPARE(ColorToQColor(0x00FF8000), QColor(0, 128, 255));
  QCOMPARE(QColorToColor(QColor(0x12, 0x34, 0x56)), TColor(0x00563412));
  for (const TColor value : {TColor(0), TColor(0x00C0C0C0), TColor(0x00FFFFFF), TColor(0x00010203)})
    QCOMPARE(QColorToColor(ColorToQColor(value)), value);
}

void TColorMapTest::SystemColoursFollowThePalette() {
  QPalette palette;
  palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
  palette.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
  palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(10, 11, 12));
  palette.setColor(QPalette::Active, QPalette::Button, QColor(13, 14, 15));
  QCOMPARE(ColorToQColor(ColorValues::clWindow, palette), QColor(1, 2, 3));
  QCOMPARE(ColorToQColor(ColorValues::clWindowText, palette), QColor(4, 5, 6));
  QCOMPARE(ColorToQColor(ColorValues::clHighlight, palette), QColor(7, 8, 9));
  QCOMPARE(ColorToQColor(ColorValues::clHighlightText, palette), QColor(10, 11, 12));
  QCOMPARE(ColorToQColor(ColorValues::clBtnFace, palette), QColor(13, 14, 15));
}

void TColorMapTest::SpecialAndUnknownValues() {
  const QPalette palette;
  QCOMPARE(ColorToQColor(ColorValues::clNone, palette).alpha(), 0);
  QCOMPARE(ColorToQColor(ColorValues::clDefault, palette, Qt::green), QColor(Qt::green));
  QCOMPARE(ColorToQColor(0x80000063, palette, Qt::green), QColor(Qt::green)); // no such system colour
  QVERIFY(!ColorToQColor(0x01000000, palette).isValid());
}

QTEST_MAIN(TColorMapTest)
#include "ColorMap_test.moc"
