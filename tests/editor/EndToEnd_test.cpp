// The whole road in the real window: a new image list, three files added, attributes edited, one moved,
// one marked and removed, saved at every compression level, reopened, compared, and checked by unzip.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "editor/fConfig.h"

using namespace EditorDriver;

class TEndToEndTest : public QObject {
  Q_OBJECT

private slots:
  void NewAddEditMoveRemoveSaveReopen() {
    SKIP_WITHOUT_UNZIP();
    TEditorFixture fixture;
    const QString grass = fixture.Image(QStringLiteral("soubory/trava.bmp"), Qt::green, 32);
    const QString water = fixture.File(QStringLiteral("soubory/voda.dib"), fixture.Read(fixture.Image("tmp.bmp", Qt::blue, 24)));
    const QString stone = fixture.File(QStringLiteral("soubory/skala.xyz"), QByteArray(5000, 's'));
    const QString spare = fixture.Image(QStringLiteral("soubory/navic.bmp"), Qt::black, 4);
    fixture.prompt.QueueAnswer(true); // .XYZ is not in the list: add it anyway

    TForm1 form;
    Show(form);
    Trigger(form, "Obrzky1");
    TXStringGrid &grid = *ImagesGrid(form);
    ChooseFiles({grass, water, stone, spare});
    Click(form, "Pridat");
    QCOMPARE(fixture.prompt.Questions.size(), size_t(1));
    QVERIFY(QString::fromStdString(fixture.prompt.Questions[0]).startsWith(QStringLiteral("Přípona .XYZ")));
    QCOMPARE(Names(grid), QStringList({"trava", "voda", "skala", "navic"}));
    QCOMPARE(Cell(grid, 1, 2), QStringLiteral(".DIB"));

    TypeIntoCell(grid, 3, 1, QStringLiteral("F"));
    QCOMPARE(Cell(grid, 3, 1), QStringLiteral("False"));
    TypeIntoCell(grid, 4, 2, QStringLiteral("clLime"));
    TypeIntoCell(grid, 5, 3, QStringLiteral("16"));
    TypeIntoCell(grid, 6, 3, QStringLiteral("32"));
    TypeIntoCell(grid, 8, 3, QStringLiteral("2"));
    Click(form, "Nahoru"); // skala, current row 3, goes up
    QCOMPARE(Names(grid), QStringList({"trava", "skala", "voda", "navic"}));
    ClickCell(grid, 0, 4);
    Click(form, "Odebrat");
    QCOMPARE(Names(grid), QStringList({"trava", "skala", "voda"}));

    QByteArray firstStream;
    for (int level = 0; level <= 3; ++level) {
      TConfigForm::WriteCompressionLevel(level);
      const QString saved = fixture.Path(QStringLiteral("vysledek-%1.tvk").arg(level));
      ChooseFiles({saved});
      Trigger(form, "UlozitJako1");
      QVERIFY(fixture.prompt.Errors.empty());
      QVERIFY2(TEditorFixture::UnzipTestPasses(saved), qPrintable(saved));
      QCOMPARE(ReadMediaEntryFacts(saved.toStdString()).Level, level);
      const QByteArray stream = TEditorFixture::MediaStream(saved);
      if (level == 0)
        firstStream = stream;
      QCOMPARE(stream, firstStream);
    }
    // The data of every entry follows its record, in the order shown.
    const qsizetype grassAt = firstStream.indexOf(fixture.Read(grass));
    const qsizetype stoneAt = firstStream.indexOf(fixture.Read(stone));
    const qsizetype waterAt = firstStream.indexOf(fixture.Read(water));
    QVERIFY(grassAt > 0 && grassAt < stoneAt && stoneAt < waterAt);
    QCOMPARE(firstStream.indexOf(fixture.Read(spare)), -1);

    QStringList shown;
    for (int row = 1; row <= 3; ++row)
      for (int col = 0; col < grid.ColCount(); ++col)
        shown << Cell(grid, col, row);
    for (int level = 0; level <= 3; ++level) {
      ChooseFiles({fixture.Path(QStringLiteral("vysledek-%1.tvk").arg(level))});
      Trigger(form, "Otevt1");
      QStringList reopened;
      for (int row = 1; row <= 3; ++row)
        for (int col = 0; col < grid.ColCount(); ++col)
          reopened << Cell(grid, col, row);
      QCOMPARE(reopened, shown);
    }
    QCOMPARE(Cell(grid, 3, 1), QStringLiteral("False"));
    QCOMPARE(Cell(grid, 4, 3), QStringLiteral("clLime"));
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("16"));
    QCOMPARE(Cell(grid, 6, 2), QStringLiteral("32"));
    QCOMPARE(Cell(grid, 8, 2), QStringLiteral("2"));
    QCOMPARE(Cell(grid, 2, 2), QStringLiteral("5000"));
  }
};

QTEST_MAIN(TEndToEndTest)
#include "EndToEnd_test.moc"
