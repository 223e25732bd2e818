// Undo and redo in the real window: every kind of change taken back and done again with the keys, an open edit,
// the redo branch, the title's mark against the saved point, New and Open, and the bytes of a restored entry.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "media/FileListItems.h"

#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

using namespace EditorDriver;

namespace {
void Undo(TXStringGrid &grid) { Press(&grid, Qt::Key_Z, Qt::ControlModifier); }
void Redo(TXStringGrid &grid) { Press(&grid, Qt::Key_Y, Qt::ControlModifier); }

QAction &Action(TForm1 &form, const char *name) { return *form.findChild<QAction *>(QString::fromLatin1(name)); }

// The attribute cells of a row, as shown.
QStringList Attributes(TXStringGrid &grid, int row) {
  QStringList cells;
  for (int col = 1; col < grid.ColCount(); ++col)
    cells << grid.Cells(col, row);
  return cells;
}

void Rename(TForm1 &form, const QString &name) {
  WhenModal([name](QWidget *modal) {
    auto *dialog = qobject_cast<QInputDialog *>(modal);
    QVERIFY2(dialog, "the rename dialog is up");
    dialog->setTextValue(name);
    dialog->accept();
  });
  Trigger(form, "Prejmenovat1");
}
} // namespace

class TUndoTest : public QObject {
  Q_OBJECT

private slots:
  void TheUpravyMenuOffersZpetAndZnovuWithTheirKeys() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    QStringList titles;
    for (QAction *menu : form.menuBar()->actions())
      titles << menu->text();
    QCOMPARE(titles.mid(0, 2), QStringList({"&Soubor", "Úpr&avy"}));
    QStringList captions;
    for (QAction *action : form.findChild<QMenu *>(QStringLiteral("Upravy1"))->actions())
      captions << action->text();
    QCOMPARE(captions, QStringList({"Zpět", "Znovu"}));
    QCOMPARE(Action(form, "Zpet1").shortcut().toString(), QStringLiteral("Ctrl+Z"));
    QCOMPARE(QKeySequence::listToString(Action(form, "Znovu1").shortcuts()), QStringLiteral("Ctrl+Y; Ctrl+Shift+Z"));
    QVERIFY(!Action(form, "Zpet1").isEnabled());
    QVERIFY(!Action(form, "Znovu1").isEnabled());

    Activate(form);
    Press(ImagesGrid(form), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("Upravy1"));
    QApplication::activePopupWidget()->close();
  }

  void EachKindOfChangeGoesBackAndComesAgain() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    QSignalSpy changes(&form, &TForm1::DocumentChanged);

    // A cell edit.
    TypeIntoCell(grid, 5, 2, QStringLiteral("7"));
    QCOMPARE(changes.count(), 1);
    grid.SetRow(3);
    Undo(grid);
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("0"));
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(changes.count(), 2);
    Redo(grid);
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("7"));

    // Add, with Ctrl+Shift+Z as the other redo key.
    ChooseFiles({fixture.Image("src/d.bmp")});
    Click(form, "Pridat");
    QCOMPARE(Names(grid), QStringList({"a", "b", "c", "d"}));
    Undo(grid);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));
    Press(&grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c", "d"}));

    // Remove of two rows, which come back unmarked at their places with their values.
    ClickCell(grid, 0, 2);
    ClickCell(grid, 0, 4);
    Click(form, "Odebrat");
    QCOMPARE(Names(grid), QStringList({"a", "c"}));
    Undo(grid);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c", "d"}));
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("7"));
    Redo(grid);
    QCOMPARE(Names(grid), QStringList({"a", "c"}));
    Undo(grid);

    // Up and down: the current row follows the entry that moved.
    grid.SetRow(2);
    Press(&grid, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(Names(grid), QStringList({"a", "c", "b", "d"}));
    Press(&grid, Qt::Key_Up, Qt::AltModifier);
    Press(&grid, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(Names(grid), QStringList({"b", "a", "c", "d"}));
    Undo(grid);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c", "d"}));
    QCOMPARE(grid.Row(), 2);
    Undo(grid);
    QCOMPARE(Names(grid), QStringList({"a", "c", "b", "d"}));
    QCOMPARE(grid.Row(), 3);
    Redo(grid);
    Redo(grid);
    QCOMPARE(Names(grid), QStringList({"b", "a", "c", "d"}));
    QCOMPARE(grid.Row(), 1);

    // Update: the entry takes another file's data, and back.
    grid.SetRow(2);
    const QStringList before = Attributes(grid, 2);
    ChooseFiles({fixture.Image("src/velky.bmp", Qt::white, 64)});
    Click(form, "Aktualizovat");
    QVERIFY(Cell(grid, 2, 2) != before[1]);
    grid.SetRow(4);
    Undo(grid);
    QCOMPARE(Attributes(grid, 2), before);
    QCOMPARE(grid.Row(), 2);
    Redo(grid);
    QVERIFY(Cell(grid, 2, 2) != before[1]);

    // Rename.
    Rename(form, QStringLiteral("zelená"));
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("zelená"));
    Undo(grid);
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("a"));
    Redo(grid);
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("zelená"));

    // Fill: the whole block goes back in one step.
    TypeIntoCell(grid, 6, 1, QStringLiteral("24"));
    SelectDown(grid, 6, 1, 2);
    Press(&grid, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Cell(grid, 6, 3), QStringLiteral("24"));
    Undo(grid);
    QCOMPARE(Cell(grid, 6, 1), QStringLiteral("24"));
    QCOMPARE(Cell(grid, 6, 2), QStringLiteral("0"));
    QCOMPARE(Cell(grid, 6, 3), QStringLiteral("0"));
    Redo(grid);
    QCOMPARE(Cell(grid, 6, 2), QStringLiteral("24"));
    QCOMPARE(Cell(grid, 6, 3), QStringLiteral("24"));

    // Ctrl+Enter fills from an edit: the edit and the fill are one step too.
    SelectDown(grid, 7, 1, 2);
    Press(&grid, Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor != &grid && grid.isAncestorOf(editor));
    qobject_cast<QLineEdit *>(editor)->selectAll();
    QTest::keyClicks(editor, QStringLiteral("5"));
    Press(editor, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(Cell(grid, 7, 1), QStringLiteral("5"));
    QCOMPARE(Cell(grid, 7, 3), QStringLiteral("5"));
    Undo(grid);
    for (int row = 1; row <= 3; ++row)
      QCOMPARE(Cell(grid, 7, row), QStringLiteral("0"));
    QCOMPARE(Cell(grid, 6, 3), QStringLiteral("24"));

    // Every step back to the opened container.
    while (Action(form, "Zpet1").isEnabled())
      Undo(grid);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("0"));
    QVERIFY(!form.Modified());
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void AnOpenEditUndoesItsTypingFirstThenTheDocument() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 1, QStringLiteral("3"));

    StartTyping(grid, 6, 1, QStringLiteral("8"));
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY2(edit, "an in-place edit box has the focus");
    Press(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("0"));
    QVERIFY(grid.ActiveEditor());
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("3"));
    Press(edit, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!grid.ActiveEditor());
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("0"));

    // Through the menu, an edit still open is ended and is the step taken back.
    TypeIntoCell(grid, 6, 2, QStringLiteral("4"));
    StartTyping(grid, 7, 2, QStringLiteral("9"));
    Trigger(form, "Zpet1");
    QVERIFY(!grid.ActiveEditor());
    QCOMPARE(Cell(grid, 7, 2), QStringLiteral("0"));
    QCOMPARE(Cell(grid, 6, 2), QStringLiteral("4"));
    Trigger(form, "Znovu1");
    QCOMPARE(Cell(grid, 7, 2), QStringLiteral("9"));
  }

  void ANewChangeAfterAnUndoDropsWhatCouldBeRedone() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 1, QStringLiteral("1"));
    TypeIntoCell(grid, 5, 2, QStringLiteral("2"));
    Undo(grid);
    QVERIFY(Action(form, "Znovu1").isEnabled());
    TypeIntoCell(grid, 5, 3, QStringLiteral("3"));
    QVERIFY(!Action(form, "Znovu1").isEnabled());
    Redo(grid);
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("0"));
    Undo(grid);
    Undo(grid);
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("0"));
    QCOMPARE(Cell(grid, 5, 3), QStringLiteral("0"));
    QVERIFY(!Action(form, "Zpet1").isEnabled());
  }

  void TheTitlesMarkFollowsTheSavedPoint() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    const QString clean = QStringLiteral("tri.tvk – TovrikEditor");
    const QString changed = QLatin1Char('*') + clean;
    TypeIntoCell(grid, 5, 1, QStringLiteral("1"));
    QCOMPARE(form.windowTitle(), changed);
    Undo(grid);
    QCOMPARE(form.windowTitle(), clean);
    Redo(grid);
    QCOMPARE(form.windowTitle(), changed);

    // Saving keeps the history; undo leaves the saved list and redo comes back to it.
    Press(&grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form.windowTitle(), clean);
    QVERIFY(Action(form, "Zpet1").isEnabled());
    Undo(grid);
    QCOMPARE(form.windowTitle(), changed);
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("0"));
    Redo(grid);
    QCOMPARE(form.windowTitle(), clean);

    // Once the saved list lies on a dropped branch, only a save clears the mark.
    Undo(grid);
    TypeIntoCell(grid, 5, 2, QStringLiteral("2"));
    Undo(grid);
    QCOMPARE(Cell(grid, 5, 1), QStringLiteral("0"));
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("0"));
    QCOMPARE(form.windowTitle(), changed);
    QVERIFY(!Action(form, "Zpet1").isEnabled());
    Press(&grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form.windowTitle(), clean);
  }

  void NewAndOpenStartWithoutHistoryAndAFailedOpenKeepsIt() {
    TEditorFixture fixture;
    const QString path = fixture.ThreeImages();
    TForm1 form({path});
    Show(form);
    TXStringGrid &images = *ImagesGrid(form);
    TypeIntoCell(images, 5, 1, QStringLiteral("1"));

    // An empty file does not open: the document shown keeps its history.
    const QString empty = fixture.File(QStringLiteral("prazdny.tvk"), QByteArray());
    TModalAnswers keep{PressButton("DiscardButton"), ChooseFile(empty)};
    Trigger(form, "Otevt1");
    QVERIFY(keep.AllGiven());
    QCOMPARE(fixture.prompt.Errors.size(), size_t(1));
    QVERIFY(Action(form, "Zpet1").isEnabled());

    TModalAnswers discard{PressButton("DiscardButton")};
    Press(&images, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(discard.AllGiven());
    QVERIFY(SoundsGrid(form)->isVisible());
    QVERIFY(!Action(form, "Zpet1").isEnabled());
    QVERIFY(!Action(form, "Znovu1").isEnabled());
    Undo(*SoundsGrid(form));
    QCOMPARE(Names(*SoundsGrid(form)), QStringList());
    QVERIFY(!form.Modified());

    ChooseFiles({fixture.File(QStringLiteral("src/zvuk.wav"), QByteArray("RIFF"))});
    Click(form, "Pridat");
    QVERIFY(Action(form, "Zpet1").isEnabled());
    TModalAnswers again{PressButton("DiscardButton"), ChooseFile(path)};
    Trigger(form, "Otevt1");
    QVERIFY(again.AllGiven());
    QVERIFY(images.isVisible());
    QVERIFY(!Action(form, "Zpet1").isEnabled());
    Undo(images);
    QCOMPARE(Names(images), QStringList({"a", "b", "c"}));
    QCOMPARE(Cell(images, 5, 1), QStringLiteral("0"));
  }

  void RestoredEntriesAreSavedWithTheirOwnBytes() {
    SKIP_WITHOUT_UNZIP();
    TEditorFixture fixture;
    const QString path = fixture.ThreeImages();
    const QByteArray original = TEditorFixture::MediaStream(path);
    TForm1 form({path});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);

    // a's data replaced by another file, b removed, both saved over the container the data was read from.
    grid.SetRow(1);
    ChooseFiles({fixture.Image("src/jiny.bmp", Qt::yellow, 20)});
    Click(form, "Aktualizovat");
    ClickCell(grid, 0, 2);
    Click(form, "Odebrat");
    Press(&grid, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(TEditorFixture::MediaStream(path) != original);

    Undo(grid);
    Undo(grid);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));
    const QString restored = fixture.Path(QStringLiteral("obnoveno.tvk"));
    ChooseFiles({restored});
    Trigger(form, "UlozitJako1");
    QVERIFY(fixture.prompt.Errors.empty());
    QVERIFY(TEditorFixture::UnzipTestPasses(restored));
    QCOMPARE(TEditorFixture::MediaStream(restored), original);
  }
};

QTEST_MAIN(TUndoTest)
#include "Undo_test.moc"
