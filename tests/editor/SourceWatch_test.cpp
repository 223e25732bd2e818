// What the window adds to manifests and source files: Otevřít of a manifest, and the status bar noticing a changed
// source file and offering to read it again (Ctrl+R; its menu entry is checked with the others in Workflow_test).
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "editor/SourceWatch.h"

#include <QStatusBar>

using namespace EditorDriver;

class TSourceWatchTest : public QObject {
  Q_OBJECT

private slots:
  void AChangedSourceIsOfferedAndCtrlRReadsItAgain() {
    TEditorFixture fixture;
    fixture.Image(QStringLiteral("art/hero.bmp"), Qt::red, 8);
    fixture.Image(QStringLiteral("art/tree.bmp"), Qt::green, 8);
    const QString manifest = fixture.File(QStringLiteral("sprites.toml"),
                                          "kind = \"images\"\noutput = \"sprites.tvk\"\n"
                                          "[[entry]]\nsource = \"art/hero.bmp\"\n"
                                          "[[entry]]\nsource = \"art/tree.bmp\"\nname = \"strom\"\n");
    TForm1 form;
    Show(form);
    ChooseFiles({manifest});
    Trigger(form, "Otevt1");
    QCOMPARE(Names(*ImagesGrid(form)), (QStringList{QStringLiteral("hero"), QStringLiteral("strom")}));
    QCOMPARE(form.windowTitle(), QStringLiteral("sprites.toml – TovrikEditor"));

    auto *offer = form.findChild<QLabel *>(QStringLiteral("SourcesChanged1"));
    QVERIFY(offer && !offer->isVisible());
    fixture.Image(QStringLiteral("art/tree.bmp"), Qt::blue, 16); // repainted, larger
    QTRY_VERIFY(offer->isVisible());
    QCOMPARE(offer->text(), QStringLiteral("1 zdrojový soubor se změnil"));

    Press(ImagesGrid(form), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(form.statusBar()->currentMessage(), QStringLiteral("Načteno znovu: 1 položka"));
    QTRY_VERIFY(!offer->isVisible());
    // Zpět takes the reading back: the file counts as changed again.
    Press(ImagesGrid(form), Qt::Key_Z, Qt::ControlModifier);
    QTRY_VERIFY(offer->isVisible());

    QCOMPARE(ChangedSourcesText(3), QStringLiteral("3 zdrojové soubory se změnily"));
    QCOMPARE(ChangedSourcesText(12), QStringLiteral("12 zdrojových souborů se změnilo"));
  }
};

QTEST_MAIN(TSourceWatchTest)
#include "SourceWatch_test.moc"
