// Unsaved changes in the main window: the title shows them, and New, Open, Konec and the close box ask first.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "media/FileListItems.h"

#include <QMessageBox>

using namespace EditorDriver;

class TUnsavedChangesTest : public QObject {
  Q_OBJECT

private slots:
  void TheTitleNamesTheFileAndMarksChanges() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    QCOMPARE(form.windowTitle(), QStringLiteral("TovrikEditor"));
    ChooseFiles({fixture.Image("a.bmp"), fixture.Image("b.bmp")});
    Click(form, "Pridat");
    QCOMPARE(form.windowTitle(), QStringLiteral("*TovrikEditor"));

    const QString saved = fixture.Path(QStringLiteral("hra.tvk"));
    ChooseFiles({saved});
    Trigger(form, "Uloit1");
    QCOMPARE(form.windowTitle(), QStringLiteral("hra.tvk – TovrikEditor"));

    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 1, QStringLiteral("0")); // the same value again is no change
    QCOMPARE(form.windowTitle(), QStringLiteral("hra.tvk – TovrikEditor"));
    TypeIntoCell(grid, 5, 1, QStringLiteral("2"));
    QCOMPARE(form.windowTitle(), QStringLiteral("*hra.tvk – TovrikEditor"));

    TModalAnswers overwrite{ChooseFile(saved), [](QWidget *modal) {
                              qobject_cast<QMessageBox *>(modal)->button(QMessageBox::Yes)->click();
                            }};
    Trigger(form, "UlozitJako1");
    QVERIFY(overwrite.AllGiven());
    QVERIFY(!form.Modified());
    ClickCell(grid, 3, 2);
    Click(form, "Nahoru");
    QCOMPARE(form.windowTitle(), QStringLiteral("*hra.tvk – TovrikEditor"));

    TModalAnswers answers{PressButton("DiscardButton")};
    Trigger(form, "Zvuky1");
    QVERIFY(answers.AllGiven());
    QCOMPARE(form.windowTitle(), QStringLiteral("TovrikEditor"));
    QVERIFY(!form.Modified());
  }

  void UlozitSavesToTheDocumentsFileAndCloses() {
    TEditorFixture fixture;
    const QString path = fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")});
    TForm1 form({path});
    Show(form);
    TypeIntoCell(*ImagesGrid(form), 6, 1, QStringLiteral("8"));
    TModalAnswers answers{PressButton("SaveButton")};
    QVERIFY(form.close());
    QVERIFY(answers.AllGiven());
    QVERIFY(!form.isVisible());
    QVERIFY(fixture.prompt.Errors.empty());
    TForm1 reopened({path});
    QCOMPARE(Cell(*ImagesGrid(reopened), 6, 1), QStringLiteral("8"));
  }

  void UlozitAsksForANameOnlyWhenTheDocumentHasNone() {
    SKIP_WITHOUT_UNZIP();
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    ChooseFiles({fixture.Image("a.bmp")});
    Click(form, "Pridat");
    const QString path = fixture.Path(QStringLiteral("novy.tvk"));
    TModalAnswers answers{PressButton("SaveButton"), ChooseFile(path)};
    Trigger(form, "Konec1");
    QVERIFY(answers.AllGiven());
    QVERIFY(!form.isVisible());
    QVERIFY(TEditorFixture::UnzipTestPasses(path));
  }

  void ASaveThatFailsKeepsTheWindowAndTheChanges() {
    TEditorFixture fixture;
    QDir().mkpath(fixture.Path(QStringLiteral("slozka")));
    const QString path = fixture.Container(QStringLiteral("slozka/a.tvk"), mkImages, {fixture.Image("a.bmp")});
    TForm1 form({path});
    Show(form);
    TypeIntoCell(*ImagesGrid(form), 6, 1, QStringLiteral("8"));
    QDir(QFileInfo(path).absolutePath()).removeRecursively();
    TModalAnswers answers{PressButton("SaveButton")};
    form.close();
    QVERIFY(answers.AllGiven());
    QVERIFY(form.isVisible());
    QCOMPARE(fixture.prompt.Errors.size(), size_t(1));
    QVERIFY(form.Modified());
    QCOMPARE(Cell(*ImagesGrid(form), 6, 1), QStringLiteral("8"));
  }

  void NeukladatDropsTheChanges() {
    TEditorFixture fixture;
    const QString path = fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")});
    const QByteArray before = fixture.Read(path);
    TForm1 form({path});
    Show(form);
    TypeIntoCell(*ImagesGrid(form), 6, 1, QStringLiteral("8"));
    TModalAnswers answers{PressButton("DiscardButton")};
    form.close();
    QVERIFY(answers.AllGiven());
    QVERIFY(!form.isVisible());
    QCOMPARE(fixture.Read(path), before);
  }

  void ZrusitLeavesEverythingAsItWas() {
    TEditorFixture fixture;
    const QString path = fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")});
    TForm1 form({path});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 6, 1, QStringLiteral("8"));
    for (const char *command : {"Konec1", "Obrzky1", "Otevt1"}) {
      TModalAnswers answers{PressButton("CancelButton")};
      Trigger(form, command);
      QVERIFY2(answers.AllGiven(), command);
      QVERIFY(form.isVisible());
      QCOMPARE(Cell(grid, 6, 1), QStringLiteral("8"));
      QCOMPARE(form.windowTitle(), QStringLiteral("*a.tvk – TovrikEditor"));
    }
    TModalAnswers answers{PressButton("CancelButton")};
    form.close();
    QVERIFY(answers.AllGiven());
    QVERIFY(form.isVisible());
    QCOMPARE(ImagesGrid(form)->Cells(0, 1), QStringLiteral("a"));
  }

  void TheQuestionSpeaksCzechAndEscapeCancels() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    ChooseFiles({fixture.Image("a.bmp")});
    Click(form, "Pridat");
    QString text;
    QStringList buttons;
    TModalAnswers answers{[&](QWidget *modal) {
      auto *box = qobject_cast<QMessageBox *>(modal);
      text = box->text();
      for (QAbstractButton *button : box->buttons())
        buttons << button->text();
      QTest::keyClick(box, Qt::Key_Escape);
    }};
    form.close();
    QVERIFY(answers.AllGiven());
    QCOMPARE(text, QStringLiteral("Uložit změny?"));
    buttons.sort();
    QCOMPARE(buttons, QStringList({"Neukládat", "Uložit", "Zrušit"}));
    QVERIFY(form.isVisible());
  }
};

QTEST_MAIN(TUnsavedChangesTest)
#include "UnsavedChanges_test.moc"
