// The main window's entry preview driven as a user drives it: following rows and edits, transparency, the frame
// grid, zoom, what cannot be shown, sound facts, and F3 with its remembered setting.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "media/EntryPreviewData.h"
#include "pictures/PictureMessages.h"
#include "preview/EntryPreview.h"
#include "preview/SpriteView.h"
#include "support/MediaSamples.h"

#include <QCheckBox>
#include <QComboBox>
#include <QStatusBar>
#include <QTemporaryFile>

#include <filesystem>

using namespace EditorDriver;

namespace {
const QRgb green = qRgb(0, 160, 0);
const QRgb cyan = qRgb(0, 255, 255); // "$00FFFF00" as a colour value
// The frame outlines: black dashes over white.
bool IsOutline(QRgb pixel) { return pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255); }

// A 32 × 16 sprite sheet, green, with a cyan 8 × 8 square in its top left corner.
QString Sprite(TEditorFixture &fixture, const QString &name) {
  QImage image(32, 16, QImage::Format_RGB32);
  image.fill(green);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      image.setPixel(x, y, cyan);
  const QString path = fixture.Path(name);
  image.save(path, "BMP");
  return path;
}

// A PCM wave file of the given length.
QString Wave(TEditorFixture &fixture, const QString &name, int rate, int channels, int bits, double seconds) {
  const int dataBytes = static_cast<int>(rate * seconds) * channels * bits / 8;
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << quint32(36 + dataBytes);
  out.writeRawData("WAVEfmt ", 8);
  out << quint32(16) << quint16(1) << quint16(channels) << quint32(rate) << quint32(rate * channels * bits / 8)
      << quint16(channels * bits / 8) << quint16(bits);
  out.writeRawData("data", 4);
  out << quint32(dataBytes);
  bytes.append(QByteArray(dataBytes, '\0'));
  return fixture.File(name, bytes);
}

TEntryPreview &Pane(TForm1 &form) { return *form.findChild<TEntryPreview *>(QStringLiteral("EntryPreview")); }

template <typename T> T &Child(TForm1 &form, const char *name) {
  T *found = Pane(form).findChild<T *>(QString::fromLatin1(name));
  [&] { QVERIFY2(found, name); }();
  return *found;
}

QString LabelText(TForm1 &form, const char *name) { return Child<QLabel>(form, name).text(); }

// The colour the pane shows at a point of the picture (in picture pixels) in a grab of the view.
QRgb ShownPixel(TForm1 &form, const QImage &grabbed, QPoint picturePixel) {
  TSpriteView &view = Pane(form).View();
  const QRect placed = view.PictureRect();
  const double zoom = view.Zoom();
  const QPoint at = placed.topLeft() + QPoint(int((picturePixel.x() + 0.5) * zoom), int((picturePixel.y() + 0.5) * zoom));
  return grabbed.pixel(at);
}

// The same, grabbed from the screen now.
QRgb ShownPixel(TForm1 &form, QPoint picturePixel) {
  return ShownPixel(form, Pane(form).View().grab().toImage(), picturePixel);
}

// Shows the window with the sprite sheet added from its file, the current row on it.
TXStringGrid &ShowSprite(TEditorFixture &fixture, TForm1 &form) {
  Show(form);
  form.DropFiles({Sprite(fixture, "list.bmp")});
  return *ImagesGrid(form);
}

bool IsCheckerboard(QRgb pixel) { return pixel == qRgb(0xFF, 0xFF, 0xFF) || pixel == qRgb(0xCC, 0xCC, 0xCC); }
} // namespace

class TEntryPreviewTest : public QObject {
  Q_OBJECT

private slots:
  void ThePaneFollowsTheCurrentRowAndReadsTheBackingFile() {
    TEditorFixture fixture;
    const QString container = fixture.Container(QStringLiteral("hra.tvk"), mkImages,
                                                {Sprite(fixture, "list.bmp"), fixture.Image("maly.bmp", Qt::blue, 4)});
    TForm1 form({container});
    Show(form);
    QVERIFY(Pane(form).isVisible());
    QCOMPARE(Pane(form).ShownPicture().size(), QSize(32, 16));
    QCOMPARE(LabelText(form, "PreviewFacts"), QStringLiteral("32 × 16 px, 24 bitů, BMP"));
    ClickCell(*ImagesGrid(form), 5, 2);
    QCOMPARE(Pane(form).ShownPicture().size(), QSize(4, 4));
    QTest::keyClick(ImagesGrid(form), Qt::Key_Up);
    QCOMPARE(Pane(form).ShownPicture().size(), QSize(32, 16));
    Trigger(form, "Zvuky1"); // an empty sound list: no entry is current
    QVERIFY(Child<QLabel>(form, "PreviewMessage").isVisible());
    QCOMPARE(LabelText(form, "PreviewMessage"), QStringLiteral("Náhled není k dispozici"));
    QVERIFY(Child<QLabel>(form, "PreviewReason").isHidden());
  }

  void TheTransparentColourHidesItsPixelsOnlyWhileTransparentIsTrue() {
    TEditorFixture fixture;
    TForm1 form;
    TXStringGrid &grid = ShowSprite(fixture, form);
    QCOMPARE(Cell(grid, 3, 1), QStringLiteral("True"));
    TypeIntoCell(grid, 4, 1, QStringLiteral("$00FFFF00"));
    QCOMPARE(Cell(grid, 4, 1), QStringLiteral("$00FFFF00"));
    QVERIFY(IsCheckerboard(ShownPixel(form, {2, 2})));
    QCOMPARE(ShownPixel(form, {20, 10}), green);
    QCOMPARE(qAlpha(Pane(form).ShownPicture().pixel(0, 0)), 0);

    TypeIntoCell(grid, 3, 1, QStringLiteral("F"));
    QCOMPARE(Cell(grid, 3, 1), QStringLiteral("False"));
    QCOMPARE(ShownPixel(form, {2, 2}), cyan);

    ClickCell(grid, 3, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up); // from False back to True
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Cell(grid, 3, 1), QStringLiteral("True"));
    QVERIFY(IsCheckerboard(ShownPixel(form, {2, 2})));
    TypeIntoCell(grid, 4, 1, QStringLiteral("clLime"));
    QCOMPARE(ShownPixel(form, {2, 2}), cyan);
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void ADroppedPngIsConvertedAndShownOverTheCheckerboardWithoutAFringe() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    const TSampleRgba sprite = SoftEdgedSprite(40);
    WritePng(fixture.Path("hero.png").toStdString(), sprite);
    form.DropFiles({fixture.Path("hero.png")});
    TXStringGrid &grid = *ImagesGrid(form);
    QCOMPARE(Cell(grid, 1, 1), QStringLiteral(".BMP"));
    QCOMPARE(Cell(grid, 3, 1), QStringLiteral("True"));
    QCOMPARE(Cell(grid, 4, 1), QStringLiteral("clFuchsia"));
    QCOMPARE(form.statusBar()->currentMessage(), QStringLiteral("Převedeno: hero.png → hero.BMP, průhledná barva clFuchsia"));
    // Every pixel is either the checkerboard (keyed out) or exactly the sprite's own colour: nothing pinkish.
    const QImage grabbed = Pane(form).View().grab().toImage();
    for (int y = 0; y < sprite.Height; ++y)
      for (int x = 0; x < sprite.Width; ++x) {
        const uint8_t *own = sprite.At(x, y);
        const QRgb shown = ShownPixel(form, grabbed, {x, y});
        if (own[3] < 128)
          QVERIFY2(IsCheckerboard(shown), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        else
          QCOMPARE(shown, qRgb(own[0], own[1], own[2]));
      }
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void TheFrameGridFollowsPatternAndSkip() {
    TEditorFixture fixture;
    TForm1 form;
    TXStringGrid &grid = ShowSprite(fixture, form);
    auto &gridBox = Child<QCheckBox>(form, "PreviewFrameGrid");
    auto &play = Child<QPushButton>(form, "PreviewPlayFrames");
    QCOMPARE(Pane(form).Frames().Count(), 0);
    QVERIFY(!gridBox.isEnabled());
    QVERIFY(!play.isEnabled());

    TypeIntoCell(grid, 5, 1, QStringLiteral("8")); // PatternHeight
    TypeIntoCell(grid, 6, 1, QStringLiteral("8")); // PatternWidth
    QCOMPARE(Pane(form).Frames().Count(), 8);
    QCOMPARE(LabelText(form, "PreviewFrameNumber"), QStringLiteral("8 snímků 8 × 8"));
    TypeIntoCell(grid, 8, 1, QStringLiteral("4")); // SkipWidth: frames at x 0, 12 and 24
    TypeIntoCell(grid, 7, 1, QStringLiteral("0"));
    QCOMPARE(Pane(form).Frames().Columns, 3);
    QCOMPARE(Pane(form).Frames().Rows, 2);
    QCOMPARE(FrameRect(Pane(form).Frames(), 1), QRect(12, 0, 8, 8));

    // The outline of frame 1 lies where the frame is drawn, and shows on screen.
    TSpriteView &view = Pane(form).View();
    const double zoom = view.Zoom();
    const QRect placed = view.PictureRect();
    QCOMPARE(view.FrameOutline(1).topLeft(), placed.topLeft() + QPoint(int(12 * zoom), 0));
    QVERIFY(IsOutline(view.grab().toImage().pixel(view.FrameOutline(1).topLeft() + QPoint(1, 0))));
    QTest::mouseClick(&gridBox, Qt::LeftButton);
    QVERIFY(!gridBox.isChecked());
    QVERIFY(view.FrameOutline(1).isEmpty());
    QCOMPARE(view.grab().toImage().pixel(placed.topLeft() + QPoint(int(12 * zoom), 0) + QPoint(1, 0)), green);

    // Playing shows one frame at a time, left to right, then top to bottom.
    QTest::mouseClick(&play, Qt::LeftButton);
    QCOMPARE(LabelText(form, "PreviewFrameNumber"), QStringLiteral("Snímek 1 z 6"));
    QCOMPARE(view.PictureRect().size(), QSize(8, 8) * view.Zoom());
    QCOMPARE(ShownPixel(form, {1, 1}), cyan); // the first frame is the cyan square
    Pane(form).StepFrame();
    Pane(form).StepFrame();
    QCOMPARE(LabelText(form, "PreviewFrameNumber"), QStringLiteral("Snímek 3 z 6"));
    QCOMPARE(ShownPixel(form, {1, 1}), green); // the third is the top right one, at (24, 0)
    QTRY_COMPARE(LabelText(form, "PreviewFrameNumber"), QStringLiteral("Snímek 1 z 6")); // the player's own timer
    QTest::mouseClick(&play, Qt::LeftButton);
    QCOMPARE(LabelText(form, "PreviewFrameNumber"), QStringLiteral("6 snímků 8 × 8"));
  }

  void ZoomLevelsEnlargeByWholePixels() {
    TEditorFixture fixture;
    TForm1 form;
    ShowSprite(fixture, form);
    auto &zoom = Child<QComboBox>(form, "PreviewZoom");
    TSpriteView &view = Pane(form).View();
    QCOMPARE(zoom.currentIndex(), int(TEntryPreview::zoomFit));
    QVERIFY(view.Zoom() >= 1);
    QCOMPARE(view.Zoom(), std::floor(view.Zoom())); // a small sprite is enlarged by a whole factor
    for (const auto &[index, factor] : {std::pair{1, 1}, {2, 2}, {3, 4}}) {
      zoom.setFocus();
      QTest::keyClick(&zoom, Qt::Key_Down);
      QCOMPARE(zoom.currentIndex(), index);
      QCOMPARE(view.PictureRect().size(), QSize(32, 16) * factor);
      // Nearest neighbour: the cyan square's edge stays sharp at every level.
      QCOMPARE(ShownPixel(form, {7, 7}), cyan);
      QCOMPARE(ShownPixel(form, {8, 7}), green);
    }
  }

  void WhatCannotBeShownGivesTheNoPreviewTextNeverAnErrorBox() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    const QString broken = fixture.File(QStringLiteral("rozbity.bmp"), "BM to neni obrazek");
    const QString large = fixture.File(QStringLiteral("velky.bmp"), "BM");
    std::filesystem::resize_file(large.toStdString(), EntryPreviewLimit + 1); // sparse: nothing is written
    form.DropFiles({broken, large, Sprite(fixture, "list.bmp")});
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 3, 1);
    QCOMPARE(LabelText(form, "PreviewMessage"), QStringLiteral("Náhled není k dispozici"));
    QVERIFY(Child<QLabel>(form, "PreviewMessage").isVisible());
    QCOMPARE(LabelText(form, "PreviewReason"), QString::fromUtf8(PictureMessages::InvalidBitmap));
    ClickCell(grid, 3, 2);
    QVERIFY(Child<QLabel>(form, "PreviewMessage").isVisible());
    QCOMPARE(LabelText(form, "PreviewReason"),
             QStringLiteral("Položka má 67108865 bajtů, náhled čte nejvýše 67108864 bajtů."));
    ClickCell(grid, 3, 3);
    QVERIFY(!Child<QLabel>(form, "PreviewMessage").isVisible());
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void SoundsShowTheirFactsAndPlayOnlyWhereThereIsADevice() {
    TEditorFixture fixture;
    const QString container = fixture.Container(
        QStringLiteral("zvuky.tvk"), mkSounds,
        {Wave(fixture, "vystrel.wav", 22050, 1, 16, 0.5), fixture.File(QStringLiteral("nic.wav"), "to neni wave")});
    TForm1 form({container});
    Show(form);
    QCOMPARE(LabelText(form, "PreviewFacts"), QStringLiteral("22050 Hz, mono, 16 bitů, 0,50 s"));
    QVERIFY(Child<QPushButton>(form, "PreviewPlay").isVisible());

    // The sound of an opened container is played from a copy of its data.
    QTemporaryFile spare(fixture.Path(QStringLiteral("kopie-XXXXXX.wav")));
    QVERIFY(spare.open());
    const QString played = Pane(form).OnWaveFile(spare);
    QCOMPARE(fixture.Read(played), fixture.Read(fixture.Path("vystrel.wav")));

    Pane(form).AudioAvailable = [] { return false; };
    QTest::mouseClick(&Child<QPushButton>(form, "PreviewPlay"), Qt::LeftButton);
    QCOMPARE(LabelText(form, "PreviewSoundMessage"), QStringLiteral("Zvukové zařízení není k dispozici."));

    TXStringGrid &grid = *SoundsGrid(form);
    TypeIntoCell(grid, 3, 1, QStringLiteral("T"));
    QCOMPARE(LabelText(form, "PreviewSoundMessage"), QStringLiteral("Přehrává se dokola (Looped = True)."));
    ClickCell(grid, 3, 2);
    QCOMPARE(LabelText(form, "PreviewFacts"), QStringLiteral("Nejde o zvukový soubor WAVE."));
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void F3HidesAndShowsThePaneTheGridsKeepTheirSizeAndTheChoiceIsRemembered() {
    TEditorFixture fixture;
    {
      TForm1 form;
      Show(form);
      auto *action = form.findChild<QAction *>(QStringLiteral("ZobrazitNahled1"));
      QVERIFY(action->isChecked());
      QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F3));
      QCOMPARE(ImagesGrid(form)->width(), 704);
      QVERIFY(form.width() > 704 + 150);
      QTest::keyClick(&form, Qt::Key_F3);
      QVERIFY(Pane(form).isHidden());
      QVERIFY(!action->isChecked());
      QTRY_COMPARE(form.width(), 704);
      QTRY_COMPARE(ImagesGrid(form)->width(), 704);
      QVERIFY(fixture.Read(fixture.Path("config.ini")).contains("[Preview]\nVisible=0"));
    }
    TForm1 form;
    Show(form);
    QVERIFY(Pane(form).isHidden());
    QCOMPARE(form.width(), 704);
    QTest::keyClick(&form, Qt::Key_F3);
    QVERIFY(Pane(form).isVisible());
    QTRY_VERIFY(form.width() > 704 + 150);
    QTRY_COMPARE(ImagesGrid(form)->width(), 704);
    QVERIFY(fixture.Read(fixture.Path("config.ini")).contains("[Preview]\nVisible=1"));
  }
};

QTEST_MAIN(TEntryPreviewTest)
#include "EntryPreview_test.moc"
