// The "description|mask" filter form in Qt's file dialog, matching names regardless of letter case.
#include "PreviewFixtures.h"
#include "support/TempAppFolder.h"

#include "desktop/FileFilter.h"

#include <QFileDialog>
#include <QListView>
#include <QTest>

class TestFileFilter : public QObject {
  Q_OBJECT

private slots:
  void translation() {
    QCOMPARE(NameFiltersFromFilter("Obrázkové soubory|*.BMP;*.JPG|Všechny soubory|*.*"),
             (QStringList{"Obrázkové soubory (*.BMP *.JPG)", "Všechny soubory (*)"}));
    QCOMPARE(NameFiltersFromFilter("Tovrik|*.tvk"), QStringList{"Tovrik (*.tvk)"});
    QCOMPARE(NameFiltersFromFilter("Zvukové soubory|*|Všechny soubory|*.*"),
             (QStringList{"Zvukové soubory (*)", "Všechny soubory (*)"}));
    QCOMPARE(NameFiltersFromFilter("Jen popis"), QStringList{"Jen popis (*)"});
    QCOMPARE(NameFiltersFromFilter(""), QStringList{});
  }

  void masksMatchRegardlessOfCase() {
    TTempAppFolder folder;
    const QString dir = QString::fromStdString(folder.Path().string());
    PreviewFixtures::WriteBytes(dir, "photo.bmp", "x");
    PreviewFixtures::WriteBytes(dir, "notes.txt", "x");
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    ApplyFileFilter(dialog, "Obrázkové soubory|*.BMP|Všechny soubory|*.*");
    dialog.setDirectory(dir);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *list = dialog.findChild<QListView *>("listView");
    const auto names = [&] {
      QStringList shown;
      for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
        shown << list->model()->index(row, 0, list->rootIndex()).data().toString();
      return shown;
    };
    QTRY_COMPARE(names(), QStringList{"photo.bmp"});
    dialog.selectNameFilter(dialog.nameFilters().at(1));
    QTRY_COMPARE(names().size(), 2);
  }
};

int RunFileFilterTests(int argc, char **argv) {
  TestFileFilter test;
  return QTest::qExec(&test, argc, argv);
}

#include "FileFilter_test.moc"
