// The frame grid of a sprite sheet, the fitting zoom and the transparent colour's mask.
#include "preview/FrameGrid.h"
#include "preview/SpriteView.h"

#include <QTest>

class TestFrameGrid : public QObject {
  Q_OBJECT

private slots:
  void framesFollowPatternAndSkip() {
    // 100 × 40 with 20 × 16 frames and gaps of 5 and 2: x at 0, 25, 50, 75 (95 would end past 100), y at 0, 18.
    const TFrameGrid grid = FrameGridOf(QSize(100, 40), 20, 16, 5, 2);
    QCOMPARE(grid.Columns, 4);
    QCOMPARE(grid.Rows, 2);
    QCOMPARE(grid.Count(), 8);
    QCOMPARE(FrameRect(grid, 0), QRect(0, 0, 20, 16));
    QCOMPARE(FrameRect(grid, 3), QRect(75, 0, 20, 16));
    QCOMPARE(FrameRect(grid, 5), QRect(25, 18, 20, 16)); // left to right, then top to bottom
    QCOMPARE(FrameRect(grid, 8), QRect());
    QCOMPARE(FrameRect(grid, -1), QRect());
    // Without gaps the frames tile the sheet exactly.
    const TFrameGrid tiles = FrameGridOf(QSize(64, 32), 16, 16, 0, 0);
    QCOMPARE(tiles.Count(), 8);
    QCOMPARE(FrameRect(tiles, 7), QRect(48, 16, 16, 16));
  }

  void zeroSizesSpanThePictureOrHideTheGrid() {
    QCOMPARE(FrameGridOf(QSize(64, 32), 0, 0, 4, 4).Count(), 0);
    const TFrameGrid strip = FrameGridOf(QSize(64, 32), 16, 0, 0, 0);
    QCOMPARE(strip.Count(), 4);
    QCOMPARE(FrameRect(strip, 1), QRect(16, 0, 16, 32));
    const TFrameGrid column = FrameGridOf(QSize(64, 32), 0, 8, 0, 0);
    QCOMPARE(column.Rows, 4);
    QCOMPARE(FrameRect(column, 3), QRect(0, 24, 64, 8));
  }

  void framesLargerThanThePictureOrNegativeValuesGiveNoNonsense() {
    QCOMPARE(FrameGridOf(QSize(64, 32), 65, 8, 0, 0).Count(), 0);
    QCOMPARE(FrameGridOf(QSize(), 8, 8, 0, 0).Count(), 0);
    const TFrameGrid negative = FrameGridOf(QSize(64, 32), 16, 16, -10, -3);
    QCOMPARE(negative.Count(), 8);
    QCOMPARE(StepSize(negative), QSize(16, 16));
    const TFrameGrid huge = FrameGridOf(QSize(64, 32), 16, 16, INT32_MAX, INT32_MAX);
    QCOMPARE(huge.Count(), 1);
  }

  void fitEnlargesByWholeFactorsAndShrinksByFractions() {
    QCOMPARE(FitZoom(QSize(16, 16), QSize(100, 70)), 4.0);
    QCOMPARE(FitZoom(QSize(2, 2), QSize(1000, 1000)), 16.0);
    QCOMPARE(FitZoom(QSize(200, 100), QSize(100, 100)), 0.5);
    QCOMPARE(FitZoom(QSize(), QSize(100, 100)), 1.0);
  }

  void theTransparentColourAloneLosesItsPixels() {
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 255));
    picture.setPixel(1, 0, qRgba(255, 0, 255, 128)); // the colour counts whatever the alpha
    picture.setPixel(2, 0, qRgb(255, 0, 254));
    const QImage masked = MaskColor(picture, qRgb(255, 0, 255));
    QCOMPARE(qAlpha(masked.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(masked.pixel(1, 0)), 0);
    QCOMPARE(masked.pixel(2, 0), qRgb(255, 0, 254));
    QCOMPARE(picture.pixel(0, 0), qRgb(255, 0, 255)); // the original stays
  }
};

int RunFrameGridTests(int argc, char **argv) {
  TestFrameGrid test;
  return QTest::qExec(&test, argc, argv);
}

#include "FrameGrid_test.moc"
