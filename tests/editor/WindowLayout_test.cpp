// The main window's remembered layout: resized, moved, columns dragged wider and closed, it comes back as it was;
// a position on no screen, a column width that would hide a column and a maximised window are taken back sensibly;
// "Obnovit rozvržení" gives the design layout again.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "preview/EntryPreview.h"

#include <QScrollBar>

using namespace EditorDriver;

namespace {
TEntryPreview &Pane(TForm1 &form) { return *form.findChild<TEntryPreview *>(QStringLiteral("EntryPreview")); }

// Drags the right boundary of col in the header by dx, with the mouse as the user does it.
void DragColumnBoundary(TXStringGrid &grid, int col, int dx) {
  const QRect header = grid.CellRect(col, 0);
  const QPoint boundary(header.right() + 1, header.center().y());
  QTest::mouseMove(grid.viewport(), boundary);
  QCOMPARE(grid.viewport()->cursor().shape(), Qt::SplitHCursor);
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, boundary);
  QTest::mouseMove(grid.viewport(), boundary + QPoint(dx / 2, 0));
  QTest::mouseMove(grid.viewport(), boundary + QPoint(dx, 0));
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, boundary + QPoint(dx, 0));
}
} // namespace

class TWindowLayoutTest : public QObject {
  Q_OBJECT

private slots:
  void TheWindowComesBackAsItWasClosed() {
    TEditorFixture fixture;
    QSize designSize;
    int designPaneWidth = 0;
    {
      TForm1 form;
      Show(form);
      designSize = form.size();
      designPaneWidth = Pane(form).width();
      form.setGeometry(QRect(30, 40, designSize.width() + 120, designSize.height() + 90));
      form.resizeDocks({&Pane(form)}, {designPaneWidth + 60}, Qt::Horizontal);
      QTRY_COMPARE(Pane(form).width(), designPaneWidth + 60);
      TXStringGrid &grid = *ImagesGrid(form);
      DragColumnBoundary(grid, 0, 150 - grid.ColWidths(0));
      DragColumnBoundary(grid, 4, 40);
      DragColumnBoundary(grid, 5, -200);
      QCOMPARE(grid.ColWidths(0), 150);
      QCOMPARE(grid.ColWidths(4), 92 + 40);
      QCOMPARE(grid.ColWidths(5), TStringGrid::MinSizedColWidth);
      QVERIFY(form.close());
    }
    const QByteArray ini = fixture.Read(fixture.Path(QStringLiteral("config.ini")));
    QVERIFY2(ini.contains("[WindowLayout]") && ini.contains("[ImageFileExts]"), ini.constData());
    {
      TForm1 form;
      Show(form);
      QCOMPARE(form.geometry(), QRect(30, 40, designSize.width() + 120, designSize.height() + 90));
      QTRY_COMPARE(Pane(form).width(), designPaneWidth + 60);
      TXStringGrid &grid = *ImagesGrid(form);
      QCOMPARE(grid.ColWidths(4), 92 + 40);
      QCOMPARE(grid.ColWidths(5), TStringGrid::MinSizedColWidth);
      // The name column the user sized no longer follows the window; in the sounds grid it still does.
      form.resize(form.width() + 200, form.height());
      QTRY_COMPARE(SoundsGrid(form)->ColWidths(0), 300);
      QCOMPARE(grid.ColWidths(0), 150);
      // A column widened as far as the grid shows pushes the last ones out, where a scroll bar reaches them.
      QVERIFY(!grid.horizontalScrollBar()->isVisible());
      DragColumnBoundary(grid, 4, grid.viewport()->width());
      QVERIFY(grid.horizontalScrollBar()->isVisible());

      Trigger(form, "ObnovitRozvrzeni1");
      QTRY_COMPARE(form.size(), designSize);
      QTRY_COMPARE(Pane(form).width(), designPaneWidth);
      QCOMPARE(grid.ColWidths(4), 92);
      QCOMPARE(grid.ColWidths(5), 70);
      QTRY_COMPARE(grid.ColWidths(0), 120);
      QVERIFY(!grid.horizontalScrollBar()->isVisible());
      form.showMaximized();
      QVERIFY(form.close());
    }
    {
      TForm1 form;
      Show(form);
      QVERIFY(form.isMaximized());
      form.showNormal();
      QTRY_COMPARE(form.size(), designSize);
      QCOMPARE(ImagesGrid(form)->ColWidths(4), 92);
      QTRY_COMPARE(ImagesGrid(form)->ColWidths(0), 120);
    }
  }

  void AColumnWidthThatWouldHideAColumnFallsBackToItsDefault() {
    TEditorFixture fixture;
    fixture.File(QStringLiteral("config.ini"),
                 "[WindowLayout]\nImageColumnWidths=3,x,99999999,,-40,110\nSoundColumnWidths=0,60,,\n");
    TForm1 form;
    Show(form);
    const TXStringGrid &images = *ImagesGrid(form);
    QCOMPARE(images.ColWidths(0), 120 - (110 - 70)); // the name column gives up what column 5 took
    QCOMPARE(images.ColWidths(1), 52);
    QCOMPARE(images.ColWidths(2), 68);
    QCOMPARE(images.ColWidths(4), 92);
    QCOMPARE(images.ColWidths(5), 110);
    QCOMPARE(SoundsGrid(form)->ColWidths(1), 60);
    QCOMPARE(SoundsGrid(form)->ColWidths(3), 68);
  }

  void APositionOnNoScreenIsLeftToTheWindowManager() {
    TEditorFixture fixture;
    fixture.File(QStringLiteral("config.ini"), "[WindowLayout]\nLeft=20000\nTop=20000\nWidth=900\nHeight=400\n");
    TForm1 form;
    Show(form);
    QCOMPARE(form.size(), QSize(900, 400).expandedTo(form.minimumSize()));
    QVERIFY(form.screen()->geometry().contains(form.geometry().topLeft()));
  }
};

QTEST_MAIN(TWindowLayoutTest)
#include "WindowLayout_test.moc"
