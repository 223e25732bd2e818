// Will the runtime accept it, in the editor: rows with a problem marked, the entry preview naming the problems,
// and "Zkontrolovat" listing them with a double click that goes to the row.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "support/PictureFiles.h"

#include <QTreeWidget>

using namespace EditorDriver;

class TCheckTest : public QObject {
  Q_OBJECT

private slots:
  void AFringeIsMarkedNamedAndListedAndADoubleClickGoesToItsRow() {
    TEditorFixture fixture;
    // A magenta-keyed sprite with an antialiased edge, and a clean one.
    const auto picture = [&](const char *name, uint32_t edge) {
      const std::string bytes = PictureFiles::Bmp24(12, 12, [edge](int x, int y) {
        return x < 4 || y < 4 ? 0xFF00FFu : x == 4 ? edge : 0u;
      });
      return fixture.File(QString::fromLatin1(name), QByteArray::fromStdString(bytes));
    };
    TForm1 form;
    Show(form);
    form.DropFiles({picture("clean.bmp", 0), picture("fringe.bmp", 0xC000C0)});
    TXStringGrid &grid = *ImagesGrid(form);
    for (const int row : {1, 2})
      TypeIntoCell(grid, 4, row, QStringLiteral("clFuchsia"));
    QTRY_COMPARE(grid.RowFlag(2), TXStringGrid::TRowFlag::Problem);
    QCOMPARE(grid.RowFlag(1), TXStringGrid::TRowFlag::None);
    ClickCell(grid, 5, 2);
    auto *problems = form.findChild<QLabel *>(QStringLiteral("PreviewProblems"));
    QVERIFY(problems->isVisible());
    QVERIFY2(problems->text().contains(QStringLiteral("8 pixelů blízkých klíčové barvě clFuchsia")),
             qPrintable(problems->text()));

    ClickCell(grid, 5, 1);
    QCOMPARE(grid.Row(), 1);
    Trigger(form, "Zkontrolovat1");
    auto *list = form.findChild<QTreeWidget *>(QStringLiteral("CheckList"));
    QVERIFY(list && QTest::qWaitForWindowExposed(list->window()));
    QCOMPARE(list->topLevelItemCount(), 1);
    QTreeWidgetItem *line = list->topLevelItem(0);
    QCOMPARE(line->text(0), QStringLiteral("2"));
    QCOMPARE(line->text(1), QStringLiteral("fringe.BMP"));
    const QPoint centre = list->visualItemRect(line).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(grid.Row(), 2);

    // Mended, the row loses its mark and the open list empties.
    TypeIntoCell(grid, 3, 2, QStringLiteral("F"));
    QTRY_COMPARE(grid.RowFlag(2), TXStringGrid::TRowFlag::None);
    QTRY_COMPARE(list->topLevelItemCount(), 0);
  }
};

QTEST_MAIN(TCheckTest)
#include "Check_test.moc"
