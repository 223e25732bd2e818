// The picture loader: its mask, loading by extension, JPEG decoding and its failures, bmp/ico/dib,
// nearest-neighbour drawing and the picture-dump diagnostic.
#include "dib/DIB.h"
#include "dib/DIBMessages.h"
#include "pictures/PictureMessages.h"
#include "pictures/Pictures.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"
#include "support/TempAppFolder.h"

#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QTest>

#include <random>

namespace {
const QString TestData = QStringLiteral(TOVRIK_TESTDATA);

// A loader's Czech text with its values, as the user reads it.
QString Text(const char *message, std::initializer_list<std::string> values = {}) {
  return QString::fromStdString(Substitute(message, values));
}

QString Copy(const TTempAppFolder &folder, const QString &source, const QString &name, qint64 keep = -1) {
  QFile in(source);
  in.open(QIODevice::ReadOnly);
  const QByteArray bytes = in.readAll();
  return QString::fromStdString(folder.WriteFile(name.toStdString(), bytes.left(keep < 0 ? bytes.size() : keep).toStdString()));
}

QString LoadError(const QString &path) {
  try {
    auto picture = TPictureRegistry::LoadFromFile(path);
    picture->ToImage();
  } catch (const Exception &error) {
    return QString::fromUtf8(error.what());
  }
  return QStringLiteral("(loaded)");
}

QImage Reference(const QString &png) {
  return QImage(TestData + "/bmpsuite/html/" + png).convertToFormat(QImage::Format_ARGB32);
}

// Same size and the same ARGB value in every pixel (whatever the images' formats and metadata).
bool SamePixels(const QImage &a, const QImage &b) {
  if (a.size() != b.size())
    return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        return false;
  return true;
}

// A 2 x 2 DIB: red, green on top; blue, white below.
QString FourColourDib(const TTempAppFolder &folder) {
  TDIB dib;
  dib.SetWidth(2);
  dib.SetHeight(2);
  TColorTable colors{};
  colors[0] = {0, 0, 255, 0}, colors[1] = {0, 255, 0, 0}, colors[2] = {255, 0, 0, 0}, colors[3] = {255, 255, 255, 0};
  dib.SetColors(colors);
  dib.ScanLine(0)[0] = 0, dib.ScanLine(0)[1] = 1, dib.ScanLine(1)[0] = 2, dib.ScanLine(1)[1] = 3;
  const std::string path = folder.File("four.dib");
  dib.SaveToFile(path);
  return QString::fromStdString(path);
}
} // namespace

class TPicturesTest : public QObject {
  Q_OBJECT
private slots:
  void maskListsTheFormatsInRegistrationOrder() {
    QCOMPARE(TPictureRegistry::FileMask(), QStringLiteral("*.bmp;*.ico;*.emf;*.wmf;*.jpg;*.jpeg;*.dib"));
  }

  void jpegCorpusDecodesLikeQtsOwnReader_data() {
    QTest::addColumn<QString>("file");
    for (const char *name : {"testorig.jpg", "testimgint.jpg", "testimgari.jpg", "testprog.jpg"})
      QTest::newRow(name) << TestData + "/jpeg/" + name;
  }
  void jpegCorpusDecodesLikeQtsOwnReader() {
    QFETCH(QString, file);
    auto picture = TPictureRegistry::LoadFromFile(file);
    QCOMPARE(picture->Width(), 227);
    QCOMPARE(picture->Height(), 149);
    const QImage image = picture->ToImage();
    QCOMPARE(image.size(), QSize(227, 149));
    const QImage peer = QImage(file).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(peer.size(), image.size());
    qint64 total = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb a = image.pixel(x, y), b = peer.pixel(x, y);
        total += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
      }
    QVERIFY2(total < 227 * 149 * 3, qPrintable(QString::number(total))); // within one step per channel on average
  }

  void jpegFailuresAreCleanErrors() {
    TTempAppFolder folder;
    QVERIFY(LoadError(TestData + "/jpeg/testorig12.jpg").contains("precision 12"));
    const QString jpegError = Text(DIBMessages::JpegError, {""});
    QVERIFY(LoadError(Copy(folder, TestData + "/jpeg/testorig.jpg", "cut.jpg", 100)).startsWith(jpegError));
    QVERIFY(LoadError(Copy(folder, TestData + "/bmpsuite/g/pal8.bmp", "bitmap.jpg")).contains("Not a JPEG file"));

    // Cut inside the scan data: the header reads, so the failure comes with the first draw, and stays.
    auto picture = TPictureRegistry::LoadFromFile(Copy(folder, TestData + "/jpeg/testorig.jpg", "half.jpg", 3000));
    QCOMPARE(picture->Width(), 227);
    QImage canvas(50, 50, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        picture->Draw(painter, QRect(0, 0, 50, 50));
        QFAIL("a truncated JPEG drew");
      } catch (const Exception &error) {
        QCOMPARE(QString::fromUtf8(error.what()), jpegError + QStringLiteral("Premature end of JPEG file"));
      }
    }
  }

  // libjpeg's failures leave through the error trap: damaged files load and draw, or fail with a JPEG error.
  void damagedJpegsFailCleanly() {
    TTempAppFolder folder;
    QFile in(TestData + "/jpeg/testprog.jpg");
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray original = in.readAll();
    std::mt19937 random(1208);
    int failed = 0;
    const QString jpegError = Text(DIBMessages::JpegError, {""});
    const QString tooLarge = Text(DIBMessages::JpegTooLarge, {"", ""}).section(QLatin1Char('('), 0, 0);
    for (int round = 0; round < 200; ++round) {
      QByteArray bytes = original;
      for (int i = 0; i < 1 + round % 3; ++i)
        bytes[static_cast<qsizetype>(random() % (round % 2 ? 700 : bytes.size()))] = static_cast<char>(random());
      const QString error = LoadError(QString::fromStdString(folder.WriteFile("damaged.jpg", bytes.toStdString())));
      QVERIFY2(error == "(loaded)" || error.startsWith(jpegError) || error.startsWith(tooLarge),
               qPrintable(error));
      failed += error != "(loaded)";
    }
    QVERIFY(failed > 0);
  }

  void extensionsChooseTheLoader() {
    TTempAppFolder folder;
    QCOMPARE(TPictureRegistry::LoadFromFile(Copy(folder, TestData + "/jpeg/testprog.jpg", "PHOTO.JPG"))->Width(), 227);
    QCOMPARE(TPictureRegistry::LoadFromFile(Copy(folder, TestData + "/jpeg/testprog.jpg", "p.jpeg"))->Height(), 149);
    QCOMPARE(LoadError(Copy(folder, TestData + "/jpeg/testprog.jpg", "photo.xyz")),
             Text(PictureMessages::UnknownExtension, {"xyz"}));
    QCOMPARE(LoadError(folder.File("none").c_str()), Text(PictureMessages::UnknownExtension, {""}));
    const QString jpeg = TestData + "/jpeg/testprog.jpg";
    QCOMPARE(LoadError(Copy(folder, jpeg, "drawing.WMF")), Text(PictureMessages::NoMetafiles));
    QVERIFY(LoadError(folder.File("missing.bmp").c_str()).startsWith("Cannot open file"));
    QCOMPARE(LoadError(Copy(folder, jpeg, "broken.bmp")), Text(PictureMessages::InvalidBitmap));
    QCOMPARE(LoadError(Copy(folder, jpeg, "broken.ico")), Text(PictureMessages::InvalidIcon));

    // In English the loaders' texts come from the table, the values in place.
    SetTextLanguage(TLanguage::English);
    const QString english = LoadError(Copy(folder, TestData + "/jpeg/testprog.jpg", "photo.xyz"));
    const QString dib = LoadError(Copy(folder, TestData + "/bmpsuite/q/pal2.bmp", "two.dib"));
    SetTextLanguage(TLanguage::Czech);
    QCOMPARE(english, QStringLiteral("Unknown picture file extension (.xyz)."));
    QCOMPARE(dib, QStringLiteral("The DIB picture has an unsupported number of bits per pixel (2)."));
  }

  void bitmapsIconsAndDibsLoad() {
    TTempAppFolder folder;
    QVERIFY(SamePixels(TPictureRegistry::LoadFromFile(TestData + "/bmpsuite/g/pal8.bmp")->ToImage(),
                       Reference("pal8.png")));
    QVERIFY(SamePixels(
        TPictureRegistry::LoadFromFile(Copy(folder, TestData + "/bmpsuite/g/rgb24.bmp", "rgb.dib"))->ToImage(),
        Reference("rgb24.png")));
    QVERIFY(SamePixels(
        TPictureRegistry::LoadFromFile(Copy(folder, TestData + "/bmpsuite/g/pal8rle.bmp", "rle.DIB"))->ToImage(),
        Reference("pal8.png")));
    QCOMPARE(LoadError(Copy(folder, TestData + "/bmpsuite/q/pal2.bmp", "two.dib")), Text(DIBMessages::BitCount, {"2"}));
    QCOMPARE(LoadError(Copy(folder, TestData + "/bmpsuite/g/pal8v5.bmp", "v5.dib")),
             Text(DIBMessages::HeaderSize, {"124"}));

    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(qRgba(10, 20, 30, 128));
    QVERIFY(QImageWriter(QString::fromStdString(folder.File("app.ico")), "ico").write(icon));
    auto picture = TPictureRegistry::LoadFromFile(QString::fromStdString(folder.File("app.ico")));
    QCOMPARE(picture->Width(), 32);
    QCOMPARE(picture->ToImage().pixel(5, 5), qRgba(10, 20, 30, 128));

    auto empty = TPictureRegistry::LoadFromFile(QString::fromStdString(folder.WriteFile("empty.dib", "")));
    QCOMPARE(empty->Width(), 0);
    QImage canvas(8, 8, QImage::Format_ARGB32);
    canvas.fill(Qt::yellow);
    QPainter painter(&canvas);
    empty->Draw(painter, QRect(0, 0, 8, 8));
    painter.end();
    QCOMPARE(canvas.pixel(3, 3), QColor(Qt::yellow).rgb());
  }

  void bytesInMemoryLoadAsTheirFilesDoAndNameTheirBitDepth() {
    TTempAppFolder folder;
    const auto bytesOf = [](const QString &path) {
      QFile file(path);
      file.open(QIODevice::ReadOnly);
      return file.readAll();
    };
    const std::pair<const char *, int> bitmaps[] = {{"g/pal1.bmp", 1},  {"g/pal4.bmp", 4},  {"g/pal8.bmp", 8},
                                                    {"g/pal8os2.bmp", 8}, {"g/rgb16.bmp", 16}, {"g/rgb24.bmp", 24},
                                                    {"g/rgb32.bmp", 32}};
    for (const auto &[name, depth] : bitmaps) {
      const QString path = TestData + "/bmpsuite/" + name;
      auto fromMemory = TPictureRegistry::LoadFromData(bytesOf(path), QStringLiteral("BMP"));
      QCOMPARE(fromMemory->BitDepth(), depth);
      QVERIFY2(SamePixels(fromMemory->ToImage(), TPictureRegistry::LoadFromFile(path)->ToImage()), name);
    }
    auto jpeg = TPictureRegistry::LoadFromData(bytesOf(TestData + "/jpeg/testorig.jpg"), QStringLiteral("jpeg"));
    QCOMPARE(jpeg->BitDepth(), 24);
    QCOMPARE(jpeg->Width(), 227);
    QCOMPARE(TPictureRegistry::LoadFromData(bytesOf(FourColourDib(folder)), QStringLiteral("dib"))->BitDepth(), 8);
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(1, 2, 3, 255));
    QVERIFY(QImageWriter(QString::fromStdString(folder.File("small.ico")), "ico").write(icon));
    QCOMPARE(TPictureRegistry::LoadFromData(bytesOf(QString::fromStdString(folder.File("small.ico"))), "ico")->BitDepth(),
             32);
    try {
      TPictureRegistry::LoadFromData("BM broken", QStringLiteral("bmp"));
      QFAIL("broken bytes were loaded");
    } catch (const Exception &error) {
      QCOMPARE(QString::fromUtf8(error.what()), Text(PictureMessages::InvalidBitmap));
    }
  }

  void drawingDropsAndRepeatsWholeRowsAndColumns() {
    TTempAppFolder folder;
    auto picture = TPictureRegistry::LoadFromFile(FourColourDib(folder));
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), white = qRgb(255, 255, 255);

    QImage canvas(6, 6, QImage::Format_ARGB32);
    canvas.fill(0);
    QPainter painter(&canvas);
    picture->Draw(painter, QRect(1, 1, 4, 4)); // each pixel repeated twice
    painter.end();
    QCOMPARE(canvas.pixel(0, 0), QRgb(0));
    QCOMPARE(canvas.pixel(1, 1), red);
    QCOMPARE(canvas.pixel(2, 2), red);
    QCOMPARE(canvas.pixel(3, 2), green);
    QCOMPARE(canvas.pixel(2, 3), blue);
    QCOMPARE(canvas.pixel(4, 4), white);
    QCOMPARE(canvas.pixel(5, 5), QRgb(0));

    canvas.fill(0);
    painter.begin(&canvas);
    picture->Draw(painter, QRect(0, 0, 3, 1)); // one row kept, columns 0, 0, 1
    painter.setClipRect(QRect(0, 2, 6, 4));
    picture->Draw(painter, QRect(-4, -4, 10, 10)); // mostly outside the canvas and the clip
    painter.end();
    QCOMPARE(canvas.pixel(0, 0), red);
    QCOMPARE(canvas.pixel(1, 0), red);
    QCOMPARE(canvas.pixel(2, 0), green);
    QCOMPARE(canvas.pixel(0, 1), QRgb(0));
    QCOMPARE(canvas.pixel(0, 2), blue); // target row 6 of 10 maps to the bottom row
    QCOMPARE(canvas.pixel(5, 5), white);
  }

  void pictureDumpWritesPamOrTheError() {
    QProcess dump;
    dump.start(PICTURE_DUMP, {TestData + "/jpeg/testorig.jpg"});
    QVERIFY(dump.waitForFinished(10000));
    QCOMPARE(dump.exitCode(), 0);
    const QByteArray header = "P7\nWIDTH 227\nHEIGHT 149\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    const QByteArray out = dump.readAllStandardOutput();
    QVERIFY(out.startsWith(header));
    QCOMPARE(out.size(), header.size() + 227 * 149 * 4);
    QCOMPARE(static_cast<unsigned char>(out.at(header.size() + 3)), 255u); // opaque

    dump.start(PICTURE_DUMP, {TestData + "/bmpsuite/b/badbitcount.bmp.xyz"});
    QVERIFY(dump.waitForFinished(10000));
    QCOMPARE(dump.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(dump.readAllStandardError().trimmed()),
             Text(PictureMessages::UnknownExtension, {"xyz"}));
    QVERIFY(dump.readAllStandardOutput().isEmpty());
  }
};

QTEST_MAIN(TPicturesTest)
#include "Pictures_test.moc"
