// The filter in the real window: Ctrl+F, typing, the status bar, Escape, and Odebrat with a marked entry hidden.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include <QStatusBar>

using namespace EditorDriver;

class TFilterTest : public QObject {
  Q_OBJECT

private slots:
  void TypingNarrowsTheRowsAndEscapeBringsThemBack() {
    TEditorFixture fixture;
    const QString container = fixture.Container(
        QStringLiteral("les.tvk"), mkImages,
        {fixture.Image("src/strom1.bmp"), fixture.Image("src/kamen.bmp"), fixture.Image("src/Strom2.bmp")});
    TForm1 form({container});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    auto *field = form.findChild<QLineEdit *>(QStringLiteral("Hledat1"));
    QVERIFY(field);

    // kamen is marked while it is shown, then hidden by the filter.
    ClickCell(grid, 0, 2);
    QCOMPARE(Names(grid), QStringList({"strom1", "* kamen", "Strom2"}));
    Press(&grid, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), field);
    TypeKeys(QStringLiteral("STROM"));
    QCOMPARE(Names(grid), QStringList({"strom1", "Strom2"}));
    QCOMPARE(StatusText(form, 2).section(QLatin1Char(','), 0, 0), QStringLiteral(" Zobrazeno 2 z 3 položek"));

    // Odebrat takes the marked entries shown: none; the hidden one keeps its mark and stays, and the user hears so.
    ClickCell(grid, 0, 2);
    Click(form, "Odebrat");
    QCOMPARE(Names(grid), QStringList({"strom1"}));
    QVERIFY(form.statusBar()->currentMessage().contains(QLatin1String("(1)")));
    QCOMPARE(form.Document().List.Count(), 2);

    Press(&grid, Qt::Key_F, Qt::ControlModifier);
    Press(field, Qt::Key_Escape);
    QVERIFY(field->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), &grid);
    QCOMPARE(Names(grid), QStringList({"strom1", "* kamen"}));
    QVERIFY(!StatusText(form, 2).contains(QLatin1String("Zobrazeno")));
  }
};

QTEST_MAIN(TFilterTest)
#include "Filter_test.moc"
