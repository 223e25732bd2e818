// The main window driven as a user drives it: start-up, New, Open, Save, Add, Remove, Up, Down, Update, Help.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "media/FileListItems.h"
#include "preview/OpenPreview.h"

#include <QColorDialog>
#include <QHelpEvent>
#include <QToolTip>
#include <QMessageBox>
#include <QStatusBar>

using namespace EditorDriver;

namespace {
const QString imagesText = QStringLiteral(" Obrázkový soubor");
const QString soundsText = QStringLiteral(" Zvukový soubor");

const TImageFileItem &ImageEntry(TForm1 &form, int position) {
  return static_cast<const TImageFileItem &>(*form.Document().List.Items().at(size_t(position)));
}
} // namespace

class TEditorTest : public QObject {
  Q_OBJECT

private slots:
  void StartUpOpensATvkArgumentInAnyLetterCase() {
    TEditorFixture fixture;
    const QString path = fixture.Container(QStringLiteral("Hra.TVK"), mkImages,
                                           {fixture.Image("a.bmp"), fixture.Image("b.bmp")});
    TForm1 form({path});
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a", "b"}));
    QCOMPARE(StatusText(form, 0), imagesText);
    QCOMPARE(StatusText(form, 1), QLatin1Char(' ') + path);
    QCOMPARE(form.windowTitle(), QStringLiteral("Hra.TVK – TovrikEditor"));
  }

  void StartUpWithAnotherExtensionOrAMissingFileStartsAnImageList() {
    TEditorFixture fixture;
    const QString container = fixture.Container(QStringLiteral("a.tvk"), mkSounds, {fixture.File("s.wav", "RIFF")});
    QFile::copy(container, fixture.Path(QStringLiteral("a.zip")));
    for (const QString &argument : {fixture.Path(QStringLiteral("a.zip")), fixture.Path(QStringLiteral("chybi.tvk")),
                                    QString()}) {
      TForm1 form(argument.isEmpty() ? QStringList() : QStringList{argument});
      QVERIFY(Names(*ImagesGrid(form)).isEmpty());
      QVERIFY(!ImagesGrid(form)->isHidden());
      QVERIFY(SoundsGrid(form)->isHidden());
      QCOMPARE(form.MediaKind(), uint8_t(0));
      QCOMPARE(StatusText(form, 0), imagesText);
      QCOMPARE(StatusText(form, 1), QString());
      QCOMPARE(form.findChild<QFileDialog *>(QStringLiteral("SaveDialog1"))->directory().absolutePath(),
               QDir::homePath());
    }
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void StartUpWithAnEmptyOrDamagedContainerShowsAnImageList() {
    TEditorFixture fixture;
    const QString empty = fixture.File(QStringLiteral("prazdny.tvk"), {});
    const QString damaged = fixture.File(QStringLiteral("poskozeny.tvk"), "PK\x03\x04 to neni archiv");
    for (const QString &argument : {empty, damaged}) {
      TForm1 form({argument});
      QCOMPARE(StatusText(form, 0), imagesText);
      QCOMPARE(StatusText(form, 1), QString());
      QVERIFY(ImagesGrid(form)->isVisibleTo(&form));
    }
    QCOMPARE(fixture.prompt.Errors.size(), size_t(2));
    QCOMPARE(fixture.prompt.Errors[0], std::string("Soubor je prázdný!"));
    QVERIFY(!fixture.prompt.Errors[1].empty());
  }

  void NewSwitchesTheGridAndTheStatusBar() {
    TEditorFixture fixture;
    TForm1 form;
    Trigger(form, "Zvuky1");
    QVERIFY(SoundsGrid(form)->isVisibleTo(&form));
    QVERIFY(!ImagesGrid(form)->isVisibleTo(&form));
    QCOMPARE(StatusText(form, 0), soundsText);
    QCOMPARE(form.MediaKind(), uint8_t(1));
    Trigger(form, "Obrzky1");
    QVERIFY(ImagesGrid(form)->isVisibleTo(&form));
    QCOMPARE(StatusText(form, 0), imagesText);
  }

  void OpeningAnEmptyOrDamagedFileKeepsThePreviousDocument() {
    SKIP_WITHOUT_UNZIP();
    TEditorFixture fixture;
    const QString sounds = fixture.Container(QStringLiteral("zvuky.tvk"), mkSounds,
                                             {fixture.File("skok.wav", "RIFF1"), fixture.File("pad.wav", "RIFF22")});
    const QString empty = fixture.File(QStringLiteral("prazdny.tvk"), {});
    TForm1 form;
    ChooseFiles({sounds});
    Trigger(form, "Otevt1");
    QCOMPARE(Names(*SoundsGrid(form)), QStringList({"skok", "pad"}));

    const QString damaged = fixture.File(QStringLiteral("poskozeny.tvk"), "PK\x03\x04 to neni archiv");
    ChooseFiles({empty});
    Trigger(form, "Otevt1");
    ChooseFiles({damaged});
    Trigger(form, "Otevt1");
    QCOMPARE(fixture.prompt.Errors.size(), size_t(2));
    QCOMPARE(fixture.prompt.Errors.front(), std::string("Soubor je prázdný!"));
    QCOMPARE(Names(*SoundsGrid(form)), QStringList({"skok", "pad"}));
    QCOMPARE(StatusText(form, 1), QLatin1Char(' ') + sounds);
    QCOMPARE(form.Document().List.Count(), 2);

    // What is on screen is what a save writes: the rows have not lost their entries.
    const QString saved = fixture.Path(QStringLiteral("po-prazdnem.tvk"));
    ChooseFiles({saved});
    Trigger(form, "UlozitJako1");
    QCOMPARE(TEditorFixture::MediaStream(saved), TEditorFixture::MediaStream(sounds));
  }

  void SavingAnEmptyDocumentWritesTheKindByteAlone() {
    SKIP_WITHOUT_UNZIP();
    TEditorFixture fixture;
    TForm1 form;
    Trigger(form, "Zvuky1");
    ChooseFiles({fixture.Path(QStringLiteral("nic"))});
    Trigger(form, "Uloit1");
    const QString saved = fixture.Path(QStringLiteral("nic.tvk"));
    QVERIFY2(QFile::exists(saved), "the default extension is added");
    QCOMPARE(TEditorFixture::MediaStream(saved), QByteArray(1, '\1'));
    QVERIFY(TEditorFixture::UnzipTestPasses(saved));
    QCOMPARE(StatusText(form, 1), QLatin1Char(' ') + saved);
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void AfterOpenThenNewSaveProposesTheOpenedName() {
    TEditorFixture fixture;
    const QString opened = fixture.Container(QStringLiteral("A.tvk"), mkImages, {fixture.Image("a.bmp")});
    const QByteArray before = fixture.Read(opened);
    TForm1 form;
    ChooseFiles({opened});
    Trigger(form, "Otevt1");
    Trigger(form, "Obrzky1");
    QString proposed;
    ChooseFiles({}, &proposed);
    Trigger(form, "Uloit1");
    QCOMPARE(proposed, opened);
    QCOMPARE(fixture.Read(opened), before);
    QCOMPARE(StatusText(form, 1), QString());
  }

  void EditsSurviveAddRemoveAndUpdateEvenWithTheEditorStillOpen() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp"), fixture.Image("b.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);

    // PatternWidth 8, then two files added: still 8, in the cell and in the entry.
    TypeIntoCell(grid, 6, 1, QStringLiteral("8"));
    ChooseFiles({fixture.Image("c.bmp"), fixture.Image("d.bmp")});
    Click(form, "Pridat");
    QCOMPARE(Names(grid), QStringList({"a", "b", "c", "d"}));
    QCOMPARE(Cell(grid, 6, 1), QStringLiteral("8"));
    QCOMPARE(ImageEntry(form, 0).PatternWidth, 8);

    // The menu takes no focus, so the editor is still open when the command runs: its text is kept all the same.
    ClickCell(grid, 5, 2);
    TypeKeys(QStringLiteral("5"));
    QVERIFY(grid.ActiveEditor());
    ChooseFiles({});
    Trigger(form, "Pdat1");
    QVERIFY(!grid.ActiveEditor());
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("5"));

    ClickCell(grid, 7, 3);
    TypeKeys(QStringLiteral("6"));
    Trigger(form, "Odebrat1");
    QCOMPARE(Cell(grid, 7, 3), QStringLiteral("6"));

    ClickCell(grid, 8, 4);
    TypeKeys(QStringLiteral("7"));
    ChooseFiles({});
    Click(form, "Aktualizovat");
    QCOMPARE(Cell(grid, 8, 4), QStringLiteral("7"));
    QCOMPARE(ImageEntry(form, 1).PatternHeight, 5);
    QCOMPARE(ImageEntry(form, 2).SkipHeight, 6);
    QCOMPARE(ImageEntry(form, 3).SkipWidth, 7);
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void RemoveTakesExactlyTheMarkedRowNotItsNamesakes() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages,
                                   {fixture.Image("tile.bmp"), fixture.Image("tile.dib"), fixture.Image("b.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 2, QStringLiteral("3"));
    ClickCell(grid, 0, 1);
    Click(form, "Odebrat");
    QCOMPARE(Names(grid), QStringList({"tile", "b"}));
    QCOMPARE(Cell(grid, 1, 1), QStringLiteral(".DIB"));
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("3"));
    QVERIFY(form.Modified());
  }

  void EntriesSharingNameAndSizeKeepTheirOwnEdits() {
    TEditorFixture fixture;
    const QString first = fixture.Image(QStringLiteral("jedna/a.bmp"), Qt::red);
    const QString second = fixture.Image(QStringLiteral("dva/a.bmp"), Qt::blue);
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {first, second})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 1, QStringLiteral("3"));
    TypeIntoCell(grid, 5, 2, QStringLiteral("4"));
    const QString saved = fixture.Path(QStringLiteral("b.tvk"));
    ChooseFiles({saved});
    Trigger(form, "UlozitJako1");
    TForm1 reopened({saved});
    QCOMPARE(Cell(*ImagesGrid(reopened), 5, 1), QStringLiteral("3"));
    QCOMPARE(Cell(*ImagesGrid(reopened), 5, 2), QStringLiteral("4"));
  }

  void AnOpenEditorNeverWritesIntoTheNextDocument() {
    TEditorFixture fixture;
    const QString first = fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp"), fixture.Image("b.bmp")});
    const QString second = fixture.Container(QStringLiteral("c.tvk"), mkImages, {fixture.Image("c.bmp"), fixture.Image("d.bmp")});
    TForm1 form({first});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 5, 2);
    TypeKeys(QStringLiteral("77"));
    TModalAnswers answers{PressButton("DiscardButton"), ChooseFile(second)};
    Trigger(form, "Otevt1");
    QVERIFY(answers.AllGiven());
    QCOMPARE(Names(grid), QStringList({"c", "d"}));
    QVERIFY(!grid.ActiveEditor());
    ClickCell(grid, 3, 1); // the focus moves about; nothing is written behind the user's back
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("0"));
    QCOMPARE(ImageEntry(form, 1).PatternHeight, 0);
    QVERIFY(!form.Modified());
  }

  void ACharacterTypedToStartAnEditIsKept() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("s.tvk"), mkSounds, {fixture.File("s.wav", "RIFF")})});
    Show(form);
    TXStringGrid &grid = *SoundsGrid(form);
    ClickCell(grid, 4, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // the cell is current, no editor open
    QCOMPARE(QApplication::focusWidget(), &grid);
    TypeKeys(QStringLiteral("22050"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Cell(grid, 4, 1), QStringLiteral("22050"));

    // 44100 and 48000 are reached with the arrows.
    ClickCell(grid, 4, 1);
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(edit);
    edit->setText(QStringLiteral("47999"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("48000"));
    QTest::keyClick(edit, Qt::Key_Return);
    Click(form, "Nahoru");
    QCOMPARE(static_cast<const TSoundFileItem &>(*form.Document().List.Items().at(0)).Frequency, 48000);
  }

  void EscapeCancelsTheEdit() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 5, 1);
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    edit->selectAll();
    TypeKeys(QStringLiteral("99"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!grid.ActiveEditor());
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("0"));
    QVERIFY(!form.Modified());
    QCOMPARE(form.windowTitle(), QStringLiteral("a.tvk – TovrikEditor"));
  }

  void ATextThatIsNoNumberIsMarkedAndNamedWithItsEntryAndColumn() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("tile.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 1, QStringLiteral("abc"));
    const QString named = QStringLiteral("Položka tile, sloupec PatternHeight: 'abc' is not a valid integer value");
    QVERIFY(grid.CellMarked(5, 1));
    QCOMPARE(form.statusBar()->currentMessage(), named);
    QVERIFY(form.Modified());

    // A save and a refill stop with the same words; the text stays for the user to mend.
    ChooseFiles({fixture.Path(QStringLiteral("b.tvk"))});
    Trigger(form, "UlozitJako1");
    Click(form, "Pridat"); // stops before its dialog
    QCOMPARE(fixture.prompt.Errors, (std::vector<std::string>{named.toStdString(), named.toStdString()}));
    QVERIFY(!QFile::exists(fixture.Path(QStringLiteral("b.tvk"))));
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("abc"));

    TypeIntoCell(grid, 5, 1, QStringLiteral("12"));
    QVERIFY(!grid.CellMarked(5, 1));
    QVERIFY(form.statusBar()->currentMessage().isEmpty());
    QCOMPARE(ImageEntry(form, 0).PatternHeight, 12);
  }

  void ALongNameIsElidedInTheMiddleAndWhollyInItsTooltip() {
    TEditorFixture fixture;
    const QString name = QStringLiteral("character_walk_cycle_left_07");
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image(name + ".bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    const QString shown = grid.ShownText(0, 1);
    QVERIFY2(shown.contains(QChar(0x2026)) && shown.startsWith(QStringLiteral("char")) && shown.endsWith(QStringLiteral("_07")),
             qPrintable(shown));
    QHelpEvent help(QEvent::ToolTip, CellCentre(grid, 0, 1), grid.viewport()->mapToGlobal(CellCentre(grid, 0, 1)));
    QApplication::sendEvent(grid.viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), name);
  }

  void EditsAreKeptByUpDownAndSave() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages,
                                   {fixture.Image("a.bmp"), fixture.Image("b.bmp"), fixture.Image("c.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);

    TypeIntoCell(grid, 5, 1, QStringLiteral("7"));
    Click(form, "Nahoru"); // row 1: nothing moves, the edit is taken over
    QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));
    QCOMPARE(ImageEntry(form, 0).PatternHeight, 7);

    TypeIntoCell(grid, 6, 2, QStringLiteral("9"));
    Click(form, "Dolu");
    QCOMPARE(Names(grid), QStringList({"a", "c", "b"}));
    QCOMPARE(grid.Row(), 3);
    QCOMPARE(Cell(grid, 6, 3), QStringLiteral("9"));

    Click(form, "Dolu"); // the last entry: nothing moves
    QCOMPARE(Names(grid), QStringList({"a", "c", "b"}));
    QCOMPARE(grid.Row(), 3);

    Click(form, "Nahoru");
    QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));
    QCOMPARE(grid.Row(), 2);

    TypeIntoCell(grid, 7, 3, QStringLiteral("11"));
    const QString saved = fixture.Path(QStringLiteral("b.tvk"));
    ChooseFiles({saved});
    Trigger(form, "UlozitJako1");
    TForm1 reopened({saved});
    TXStringGrid &again = *ImagesGrid(reopened);
    QCOMPARE(Cell(again, 5, 1), QStringLiteral("7"));
    QCOMPARE(Cell(again, 6, 2), QStringLiteral("9"));
    QCOMPARE(Cell(again, 7, 3), QStringLiteral("11"));
  }

  void UpBelowTheLastEntryMovesNothing() {
    TEditorFixture fixture;
    const QString three = fixture.Container(QStringLiteral("tri.tvk"), mkImages,
                                            {fixture.Image("a.bmp"), fixture.Image("b.bmp"), fixture.Image("c.bmp")});
    const QString one = fixture.Container(QStringLiteral("jedna.tvk"), mkImages, {fixture.Image("d.bmp")});
    TForm1 form({three});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 3, 3);
    ChooseFiles({one});
    Trigger(form, "Otevt1");
    QCOMPARE(grid.Row(), 3); // opening does not move the current cell
    Click(form, "Nahoru");
    QCOMPARE(Names(grid), QStringList({"d"}));
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void ClosingTheWindowDeletesTheBackingFile() {
    TEditorFixture fixture;
    const QString path = fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")});
    auto backingFiles = [&fixture] {
      return QDir(QString::fromStdString(fixture.folder.Path().string()))
          .entryList({QStringLiteral("Temp*.tmp")}, QDir::Files | QDir::Hidden);
    };
    {
      TForm1 form({path});
      Show(form);
      QCOMPARE(backingFiles().size(), 1);
      Trigger(form, "Konec1");
      QVERIFY(!form.isVisible());
      QVERIFY(backingFiles().isEmpty());
    }
  }

  void NameClicksToggleTheMarkAndRemoveTakesEveryMarkedRow() {
    TEditorFixture fixture;
    const QString first = fixture.Image(QStringLiteral("jedna/a.bmp"), Qt::red);
    const QString second = fixture.Image(QStringLiteral("dva/a.bmp"), Qt::blue);
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {first, fixture.Image("b.bmp"), second})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    const int row = grid.Row();

    ClickCell(grid, 0, 2);
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("* b"));
    ClickCell(grid, 0, 2, Qt::MiddleButton);
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("b"));
    ClickCell(grid, 0, 0);
    QCOMPARE(Cell(grid, 0, 0), QStringLiteral("Jméno"));
    ClickCell(grid, 0, 5);
    QCOMPARE(Cell(grid, 0, 5), QString());
    QCOMPARE(grid.Row(), row);
    // The right button chooses the row for the rows' context menu instead, and leaves the mark alone.
    ClickCell(grid, 0, 2, Qt::RightButton);
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("b"));
    QCOMPARE(grid.Row(), 2);

    ClickCell(grid, 0, 1);
    ClickCell(grid, 0, 3);
    QCOMPARE(Names(grid), QStringList({"* a", "b", "* a"}));
    Click(form, "Odebrat");
    QCOMPARE(Names(grid), QStringList({"b"}));
    QCOMPARE(grid.RowCount(), 11);
  }

  void AnEditInAMarkedRowIsSavedToo() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 0, 1);
    TypeIntoCell(grid, 5, 1, QStringLiteral("4"));
    ChooseFiles({fixture.Path(QStringLiteral("b.tvk"))});
    Trigger(form, "UlozitJako1");
    QCOMPARE(ImageEntry(form, 0).PatternHeight, 4);
  }

  void CzechNamesAreEditedAndRemovedByTheirShownText() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages,
                                   {fixture.Image(QStringLiteral("kůň.bmp")), fixture.Image(QStringLiteral("žába.bmp"))})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    QCOMPARE(Names(grid), QStringList({QStringLiteral("kůň"), QStringLiteral("žába")}));
    TypeIntoCell(grid, 5, 2, QStringLiteral("12"));
    Click(form, "Nahoru");
    QCOMPARE(Names(grid), QStringList({QStringLiteral("žába"), QStringLiteral("kůň")}));
    QCOMPARE(ImageEntry(form, 0).PatternHeight, 12);
    ClickCell(grid, 0, 2);
    Click(form, "Odebrat");
    QCOMPARE(Names(grid), QStringList({QStringLiteral("žába")}));
  }

  void ANameStartingWithAnAsteriskIsNoMark() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("*hvezda.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    Click(form, "Odebrat");
    QCOMPARE(Names(grid), QStringList({"*hvezda"}));
    ClickCell(grid, 0, 1);
    QCOMPARE(Cell(grid, 0, 1), QStringLiteral("* *hvezda"));
    ClickCell(grid, 0, 1);
    QCOMPARE(Cell(grid, 0, 1), QStringLiteral("*hvezda"));
  }

  void UpdateReplacesTheCurrentEntrysData() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp"), fixture.Image("b.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 3, 2);
    const QString replacement = fixture.Image(QStringLiteral("nova.bmp"), Qt::green, 16);
    ChooseFiles({replacement});
    Click(form, "Aktualizovat");
    QCOMPARE(Names(grid), QStringList({"a", "b"}));
    QCOMPARE(Cell(grid, 2, 2), QString::number(QFileInfo(replacement).size()));
  }

  void AFailedSaveLeavesNoProgressWindowTheDefaultCursorAndTheOldFile() {
    TEditorFixture fixture;
    const QString source = fixture.Image(QStringLiteral("zmizi.bmp"));
    const QString target = fixture.Container(QStringLiteral("stary.tvk"), mkImages, {fixture.Image("x.bmp")});
    const QByteArray before = fixture.Read(target);
    TForm1 form;
    ChooseFiles({source});
    Click(form, "Pridat");
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"zmizi"}));
    QFile::resize(source, 3);

    ChooseFiles({target});
    AnswerModal<QMessageBox>([](QMessageBox *overwrite) { overwrite->button(QMessageBox::Yes)->click(); });
    Trigger(form, "Uloit1");
    QCOMPARE(fixture.prompt.Errors.size(), size_t(1));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(!form.findChild<QWidget *>(QStringLiteral("ProgressForm")));
    QCOMPARE(fixture.Read(target), before);
    QVERIFY(form.isEnabled());
  }

  void ACloseRequestDuringASaveWaitsForIt() {
    SKIP_WITHOUT_UNZIP();
    TEditorFixture fixture;
    const TProgressShownAtOnce shownAtOnce;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")})});
    Show(form);
    bool visibleAfterClose = false;
    WhenModal([&](QWidget *modal) {
      // Arrives while the progress window lets the window system show it.
      QTimer::singleShot(0, &form, [&] {
        form.close();
        visibleAfterClose = form.isVisible();
      });
      auto *dialog = qobject_cast<QFileDialog *>(modal);
      dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(fixture.Path(QStringLiteral("b.tvk")));
      QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    });
    Trigger(form, "UlozitJako1");
    QVERIFY(visibleAfterClose);
    QVERIFY(fixture.prompt.Errors.empty());
    QCOMPARE(form.Document().List.Count(), 1);
    QVERIFY(TEditorFixture::UnzipTestPasses(fixture.Path(QStringLiteral("b.tvk"))));
  }

  void EveryOneOf300RowsCanBeReachedAndEdited() {
    TEditorFixture fixture;
    QStringList files;
    for (int i = 0; i < 300; ++i)
      files << fixture.File(QStringLiteral("f%1.bmp").arg(i, 3, 10, QLatin1Char('0')), QByteArray(i + 1, 'x'));
    TForm1 form({fixture.Container(QStringLiteral("velky.tvk"), mkImages, files)});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    QCOMPARE(grid.RowCount(), 301);
    ClickCell(grid, 3, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    grid.setFocus();
    for (int row = 2; row <= 300; ++row) {
      QTest::keyClick(&grid, Qt::Key_Down);
      QCOMPARE(grid.Row(), row);
    }
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.Row(), 300);
    QTest::keyClick(&grid, Qt::Key_Left);
    QCOMPARE(grid.Col(), 3);
    TypeIntoCell(grid, 5, 300, QStringLiteral("300"));
    Click(form, "Nahoru");
    QCOMPARE(ImageEntry(form, 298).PatternHeight, 300);
  }

  void TheColourPickerStartsFromTheCellAndWritesColourText() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 4, 1);
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(edit);
    edit->setText(QStringLiteral("clRed"));
    QAbstractButton *ellipsis = nullptr;
    for (QAbstractButton *button : grid.findChildren<QAbstractButton *>())
      if (button->isVisible() && button->text() == QStringLiteral("..."))
        ellipsis = button;
    QVERIFY(ellipsis);

    QColor preset;
    WhenModal([&preset](QWidget *modal) {
      auto *dialog = qobject_cast<QColorDialog *>(modal);
      QVERIFY(dialog);
      preset = dialog->currentColor();
      dialog->setCurrentColor(QColor(1, 2, 3));
      dialog->accept();
    });
    QTest::mouseClick(ellipsis, Qt::LeftButton);
    QCOMPARE(preset, QColor(255, 0, 0));
    QCOMPARE(edit->text(), QStringLiteral("$00030201"));
    QCOMPARE(Cell(grid, 4, 1), QStringLiteral("clBlack"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Cell(grid, 4, 1), QStringLiteral("$00030201"));

    ClickCell(grid, 4, 1);
    edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    edit->setText(QStringLiteral("cervena"));
    QTest::mouseClick(ellipsis, Qt::LeftButton);
    QCOMPARE(fixture.prompt.Errors, std::vector<std::string>{"'cervena' is not a valid integer value"});
    QCOMPARE(edit->text(), QStringLiteral("cervena"));
  }

  void TheNameColumnFollowsTheWindowsWidth() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    QCOMPARE(grid.width(), 704);
    QCOMPARE(grid.ColWidths(0), 120);
    // The entry preview beside the grids takes its own width; the grids get the rest.
    const int besideGrids = form.width() - grid.width();
    form.resize(besideGrids + 1100, form.height());
    QTRY_COMPARE(grid.ColWidths(0), 300);
    QCOMPARE(SoundsGrid(form)->ColWidths(0), 300);
    form.resize(form.minimumWidth(), form.height());
    QTRY_COMPARE(grid.width(), 696);
    QCOMPARE(grid.ColWidths(0), 112);
  }

  void TheButtonsKeepTheirPlaceAboveTheBottomEdge() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    auto *add = form.findChild<QPushButton *>(QStringLiteral("Pridat"));
    auto *update = form.findChild<QPushButton *>(QStringLiteral("Aktualizovat"));
    QWidget *area = add->parentWidget();
    QCOMPARE(add->geometry(), QRect(2, 200, 75, 25));
    QCOMPARE(update->geometry(), QRect(328, 200, 75, 25));
    form.resize(form.width() + 50, form.height() + 100);
    QTRY_COMPARE(add->y(), area->height() - 28);
    QCOMPARE(add->x(), 2);
    QCOMPARE(ImagesGrid(form)->height(), area->height() - 28);
  }

  void SettingsEditTheListsTheNextAddUses() {
    TEditorFixture fixture;
    TForm1 form;
    WhenModal([](QWidget *modal) {
      QCOMPARE(modal->windowTitle(), QStringLiteral("Nastavení"));
      auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("Edit1"));
      QTest::keyClicks(edit, QStringLiteral(".png"));
      QTest::keyClick(edit, Qt::Key_Return);
      modal->close();
    });
    Trigger(form, "Nastaven1");
    QVERIFY(fixture.Read(fixture.Path(QStringLiteral("config.ini"))).contains("Ext2=.PNG"));
    QStringList filters;
    WhenModal([&filters](QWidget *modal) {
      filters = qobject_cast<QFileDialog *>(modal)->nameFilters();
      qobject_cast<QFileDialog *>(modal)->reject();
    });
    Click(form, "Pridat");
    QVERIFY2(filters.join(QLatin1Char('|')).contains(QStringLiteral("*.BMP *.DIB *.PNG")), qPrintable(filters.join('|')));
  }

  void TheAddDialogSpeaksCzechAndFiltersByTheKindsList() {
    TEditorFixture fixture;
    TForm1 form;
    auto *dialog = static_cast<TOpenPreviewDialog *>(form.findChild<QObject *>(QStringLiteral("OpenPreviewDialog1")));
    QVERIFY(dialog);
    QCOMPARE(dialog->PreviewCaptions().front(), QStringLiteral("Default=Náhled:"));
    QVERIFY(dialog->PreviewCaptions().contains(QStringLiteral("0407=Vorschau:")));
    QCOMPARE(dialog->NoPreviewTexts().front(), QStringLiteral("Default=Náhled není k dispozici"));
    QCOMPARE(dialog->ScaleHints().front(), QStringLiteral("Default=Přizpůsobit oknu"));
    QCOMPARE(dialog->WordWrapHints().front(), QStringLiteral("Default=Zalamování řádků"));
    QCOMPARE(dialog->ShowPreviewButtonHints().front(), QStringLiteral("Default=Zapnutí / vypnutí náhledu"));
    QCOMPARE(dialog->Titles(), QStringList({"Default="}));
    QVERIFY(dialog->ShowPreview());
    QVERIFY(dialog->WordWrapAndScale());
    // The formats converted as they are added come after the list's own.
    QCOMPARE(dialog->Filter,
             QStringLiteral("Obrázkové soubory|*.BMP;*.DIB;*.PNG;*.GIF;*.WEBP;*.TGA|Všechny soubory|*.*"));
    QVERIFY(dialog->Options.testFlag(TOpenOption::ofAllowMultiSelect));
    Trigger(form, "Zvuky1");
    QCOMPARE(dialog->Filter,
             QStringLiteral("Zvukové soubory|*.WAV;*.OGG;*.OGA;*.OPUS;*.FLAC;*.MP3|Všechny soubory|*.*"));
  }

  void AboutOpensAndCloses() {
    TEditorFixture fixture;
    TForm1 form;
    QString title;
    WhenModal([&title](QWidget *modal) {
      title = modal->windowTitle();
      QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    Trigger(form, "About1");
    QCOMPARE(title, QStringLiteral("About"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }
};

QTEST_MAIN(TEditorTest)
#include "fTovrikEditor_test.moc"
