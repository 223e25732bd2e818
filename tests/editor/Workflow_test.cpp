// The everyday workflow in the real window: keys, save in place, recent files, drops, export, drag out,
// fill of a range, rename, the context menu and the status panels.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "config/RecentFiles.h"
#include "editor/EntryExportUi.h"
#include "editor/StatusPanels.h"
#include "media/FileListItems.h"
#include "media/MediaMessages.h"

#include <QDropEvent>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

using namespace EditorDriver;

namespace {
const TImageFileItem &ImageEntry(TForm1 &form, int position) {
  return static_cast<const TImageFileItem &>(*form.Document().List.Items().at(size_t(position)));
}

// The next folder dialog picks folder.
void ChooseFolder(const QString &folder) {
  WhenModal([folder](QWidget *modal) {
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    QVERIFY2(dialog && dialog->objectName() == QStringLiteral("ExportDialog1"), "the export folder dialog is up");
    dialog->setDirectory(folder);
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(folder);
    QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
  });
}

// Presses a key whose command must not open any window: one that does comes up is closed and fails the test.
void PressWithoutDialog(QWidget &target, int key, Qt::KeyboardModifiers modifiers) {
  Activate(*target.window());
  bool asked = false;
  QTimer::singleShot(0, [&asked] {
    if (QWidget *modal = QApplication::activeModalWidget()) {
      asked = true;
      modal->close();
    }
  });
  QTest::keyClick(&target, Qt::Key(key), modifiers);
  QCoreApplication::processEvents(); // the check runs now, also when nothing came up
  QVERIFY2(!asked, "no dialog comes up");
}

void Drop(TForm1 &form, const QStringList &paths) {
  QList<QUrl> urls;
  for (const QString &path : paths)
    urls << QUrl::fromLocalFile(path);
  QMimeData data;
  data.setUrls(urls);
  const QPointF at(form.width() / 2, form.height() / 3);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &drop);
  QVERIFY(drop.isAccepted());
}

QStringList FilesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }
} // namespace

class TWorkflowTest : public QObject {
  Q_OBJECT

private slots:
  void MenusShowTheirMnemonicsAndShortcuts() {
    TEditorFixture fixture;
    TForm1 form;
    QCOMPARE(form.findChild<QMenu *>(QStringLiteral("Soubor1"))->title(), QStringLiteral("&Soubor"));
    QCOMPARE(form.findChild<QAction *>(QStringLiteral("Nastaven1"))->text(), QStringLiteral("&Nastavení"));
    QCOMPARE(form.findChild<QMenu *>(QStringLiteral("Npovda1"))->title(), QStringLiteral("Ná&pověda"));
    const QList<QPair<const char *, QString>> expected = {
        {"Obrzky1", "Ctrl+N"},   {"Zvuky1", "Ctrl+Shift+N"}, {"Otevt1", "Ctrl+O"},       {"Uloit1", "Ctrl+S"},
        {"UlozitJako1", "Ctrl+Shift+S"}, {"Pdat1", "Ins"},   {"Odebrat1", "Ctrl+Del"},   {"Nahoru1", "Alt+Up"},
        {"Dolu1", "Alt+Down"},   {"Aktualizovat1", "Ctrl+U"}, {"Npovda2", "F1"},         {"Konec1", "Ctrl+Q"},
        {"Vyplnit1", "Ctrl+D"},  {"Oznacit1", "Del"},          {"Zkontrolovat1", "F7"},
        {"AktualizovatZmenene1", "Ctrl+R"}};
    for (const auto &[name, keys] : expected)
      QCOMPARE(form.findChild<QAction *>(QString::fromLatin1(name))->shortcut().toString(), keys);
    // Everything the Soubor menu offers, in order.
    QStringList captions;
    for (QAction *action : form.findChild<QMenu *>(QStringLiteral("Soubor1"))->actions())
      captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(captions, QStringList({"Nový", "Otevřít", "Naposledy otevřené", "Uložit", "Uložit jako…",
                                    "Uložit manifest…", "Exportovat…", "Zkontrolovat", "-", "Přídat", "Odebrat",
                                    "Nahoru", "Dolů", "Aktualizovat", "Aktualizovat změněné", "-", "Konec"}));
  }

  void AltLettersOpenTheMenus() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    form.activateWindow();
    QTRY_VERIFY(form.isActiveWindow());
    for (const auto &[letter, menu] : {std::pair(Qt::Key_S, "Soubor1"), std::pair(Qt::Key_P, "Npovda1")}) {
      ImagesGrid(form)->setFocus();
      Press(nullptr, letter, Qt::AltModifier);
      QTRY_VERIFY(QApplication::activePopupWidget());
      QCOMPARE(QApplication::activePopupWidget()->objectName(), QString::fromLatin1(menu));
      QApplication::activePopupWidget()->close();
      QTRY_VERIFY(!QApplication::activePopupWidget());
      Press(nullptr, Qt::Key_Escape);
    }

    ImagesGrid(form)->setFocus();
    QString settingsName;
    WhenModal([&settingsName](QWidget *modal) {
      settingsName = modal->objectName();
      modal->close();
    });
    Press(nullptr, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(settingsName, QStringLiteral("ConfigForm"));
  }

  void ShortcutsRunTheirCommands() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 3, 1);
    Press(&grid, Qt::Key_Escape);
    grid.setFocus();

    Press(&grid, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(Names(grid), QStringList({"b", "a", "c"}));
    QCOMPARE(grid.Row(), 2);
    Press(&grid, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));

    // Delete toggles the current row's mark, Ctrl+Delete removes the marked rows.
    Press(&grid, Qt::Key_Delete);
    QCOMPARE(Names(grid), QStringList({"* a", "b", "c"}));
    Press(&grid, Qt::Key_Delete);
    QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));
    Press(&grid, Qt::Key_Down);
    Press(&grid, Qt::Key_Delete);
    Press(&grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(Names(grid), QStringList({"a", "c"}));

    // Insert adds through the preview dialog, Ctrl+U replaces the current entry's data.
    Activate(form);
    ChooseFiles({fixture.Image("src/d.bmp")});
    Press(&grid, Qt::Key_Insert);
    QCOMPARE(Names(grid), QStringList({"a", "c", "d"}));
    grid.SetRow(1);
    Activate(form);
    ChooseFiles({fixture.Image("src/velky.bmp", Qt::black, 64)});
    Press(&grid, Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(ImageEntry(form, 0).Size, QFileInfo(fixture.Path("src/velky.bmp")).size());

    // The changes above are dropped on purpose when the new document asks.
    TModalAnswers discard{PressButton("DiscardButton")};
    Press(&grid, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(discard.AllGiven());
    QVERIFY(SoundsGrid(form)->isVisibleTo(&form));
    Press(SoundsGrid(form), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(ImagesGrid(form)->isVisibleTo(&form));
    QVERIFY(Names(grid).isEmpty());

    Press(&grid, Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!form.isVisible());
  }

  void TabWalksTheAttributeCellsAndLeavesAfterTheLast() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    ClickCell(grid, 7, 2);
    Press(nullptr, Qt::Key_Escape);
    grid.setFocus();
    Press(&grid, Qt::Key_Tab);
    QCOMPARE(QPoint(grid.Col(), grid.Row()), QPoint(8, 2));
    Press(&grid, Qt::Key_Tab);
    QCOMPARE(QPoint(grid.Col(), grid.Row()), QPoint(3, 3)); // the name, extension and size are skipped
    Press(&grid, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QPoint(grid.Col(), grid.Row()), QPoint(8, 2));
    grid.SetRow(3);
    QCOMPARE(QPoint(grid.Col(), grid.Row()), QPoint(8, 3));
    QVERIFY(grid.hasFocus());
    Press(&grid, Qt::Key_Tab);
    QVERIFY2(!grid.hasFocus(), "Tab after the last cell leaves the grid");
    QCOMPARE(QPoint(grid.Col(), grid.Row()), QPoint(8, 3));

    // From inside a cell editor too: the typed value is kept and the focus moves on.
    TypeIntoCell(grid, 8, 3, QString());
    ClickCell(grid, 8, 3);
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor != &grid && grid.isAncestorOf(editor));
    QTest::keyClicks(editor, QStringLiteral("5"));
    Press(editor, Qt::Key_Tab);
    QCOMPARE(grid.Cells(8, 3), QStringLiteral("5"));
    QVERIFY(!grid.hasFocus());
  }

  void SaveInPlaceClearsTheTitlesMarkAndFillAndRenameSetIt() {
    TEditorFixture fixture;
    const QString path = fixture.ThreeImages();
    TForm1 form({path});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    const QString clean = QStringLiteral("tri.tvk – TovrikEditor");
    const QString changed = QLatin1Char('*') + clean;
    QCOMPARE(form.windowTitle(), clean);
    TypeIntoCell(grid, 6, 1, QStringLiteral("24"));
    QCOMPARE(form.windowTitle(), changed);
    PressWithoutDialog(grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form.windowTitle(), clean);
    QVERIFY(!form.Modified());

    SelectDown(grid, 6, 1, 1);
    Press(&grid, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Cell(grid, 6, 2), QStringLiteral("24"));
    QCOMPARE(form.windowTitle(), changed);
    PressWithoutDialog(grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form.windowTitle(), clean);

    // An edit still open in the row is kept when the row is renamed.
    StartTyping(grid, 5, 3, QStringLiteral("9"));
    WhenModal([](QWidget *modal) {
      auto *dialog = qobject_cast<QInputDialog *>(modal);
      QVERIFY2(dialog, "the rename dialog is up");
      dialog->setTextValue(QStringLiteral("modra"));
      dialog->accept();
    });
    Trigger(form, "Prejmenovat1");
    QCOMPARE(Cell(grid, 0, 3), QStringLiteral("modra"));
    QCOMPARE(Cell(grid, 5, 3), QStringLiteral("9"));
    QCOMPARE(form.windowTitle(), changed);
    PressWithoutDialog(grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form.windowTitle(), clean);
    TForm1 reopened({path});
    QCOMPARE(Names(*ImagesGrid(reopened)), QStringList({"a", "b", "modra"}));
    QCOMPARE(Cell(*ImagesGrid(reopened), 6, 2), QStringLiteral("24"));
    QCOMPARE(Cell(*ImagesGrid(reopened), 5, 3), QStringLiteral("9"));
  }

  void ADroppedContainerOrARecentFileAsksFirstAboutUnsavedChanges() {
    TEditorFixture fixture;
    const QString sounds = fixture.Container(QStringLiteral("zvuky.tvk"), mkSounds, {fixture.File("s.wav", "RIFF")});
    const QString images = fixture.ThreeImages();
    TForm1 form({sounds});
    Show(form);
    ChooseFiles({images});
    Trigger(form, "Otevt1"); // nothing changed yet: no question; the recent files are now images, sounds
    QCOMPARE(form.DocumentPath(), images);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 1, QStringLiteral("7"));
    const QByteArray before = fixture.Read(images);

    const auto zrusit = [](QWidget *modal) {
      auto *cancel = modal->findChild<QAbstractButton *>(QStringLiteral("CancelButton"));
      QVERIFY2(cancel, "the question has Zrušit");
      QCOMPARE(cancel->text(), QStringLiteral("Zrušit"));
      auto *box = qobject_cast<QMessageBox *>(modal);
      QVERIFY2(box, "a message box is up");
      QCOMPARE(box->text(), QStringLiteral("Uložit změny?"));
      cancel->click();
    };
    const auto keptAsItWas = [&] {
      QCOMPARE(form.DocumentPath(), images);
      QCOMPARE(form.MediaKind(), uint8_t(mkImages));
      QCOMPARE(Names(grid), QStringList({"a", "b", "c"}));
      QCOMPARE(Cell(grid, 5, 1), QStringLiteral("7"));
      QCOMPARE(form.windowTitle(), QStringLiteral("*tri.tvk – TovrikEditor"));
      QCOMPARE(fixture.Read(images), before);
    };
    {
      TModalAnswers answers{zrusit};
      Drop(form, {sounds});
      QTRY_VERIFY(answers.AllGiven());
    }
    keptAsItWas();
    {
      TModalAnswers answers{zrusit};
      Trigger(form, "RecentFile1");
      QVERIFY(answers.AllGiven());
    }
    keptAsItWas();

    // Neukládat lets the dropped container in.
    {
      TModalAnswers answers{PressButton("DiscardButton")};
      Drop(form, {sounds});
      QTRY_VERIFY(answers.AllGiven());
    }
    QTRY_COMPARE(form.DocumentPath(), sounds);
    QCOMPARE(form.MediaKind(), uint8_t(mkSounds));
    QVERIFY(!form.Modified());
    QCOMPARE(fixture.Read(images), before);
  }

  void SaveWritesInPlaceAndSaveAsAlwaysAsks() {
    SKIP_WITHOUT_UNZIP();
    TEditorFixture fixture;
    const QString path = fixture.ThreeImages();
    TForm1 form({path});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 2, QStringLiteral("12"));
    PressWithoutDialog(grid, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(fixture.prompt.Errors.empty());
    {
      TForm1 reopened({path});
      QCOMPARE(Cell(*ImagesGrid(reopened), 5, 2), QStringLiteral("12"));
    }

    const QString copy = fixture.Path(QStringLiteral("kopie.tvk"));
    Activate(form);
    ChooseFiles({copy});
    Press(&grid, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QFile::exists(copy));
    QCOMPARE(form.DocumentPath(), copy);
    QCOMPARE(StatusText(form, 1), QLatin1Char(' ') + copy);
    // From now on Uložit writes the copy, and the first file stays as it was.
    const QByteArray first = fixture.Read(path);
    TypeIntoCell(grid, 6, 1, QStringLiteral("3"));
    PressWithoutDialog(grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fixture.Read(path), first);
    QVERIFY(TEditorFixture::UnzipTestPasses(copy));
    TForm1 reopened({copy});
    QCOMPARE(Cell(*ImagesGrid(reopened), 6, 1), QStringLiteral("3"));

    // Saving in place asks first when another program has replaced the file meanwhile; No writes nothing.
    fixture.Container(QStringLiteral("kopie.tvk"), mkImages, {fixture.Image("src/cizi.bmp")});
    const QByteArray theirs = fixture.Read(copy);
    fixture.prompt.QueueAnswer(false);
    PressWithoutDialog(grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fixture.prompt.Questions, std::vector<std::string>({MediaMessages::ChangedOnDisk}));
    QCOMPARE(fixture.Read(copy), theirs);

    // A new document has no file: Uložit asks.
    Press(&grid, Qt::Key_N, Qt::ControlModifier);
    QString proposed;
    Activate(form);
    ChooseFiles({}, &proposed);
    Press(&grid, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(form.DocumentPath().isEmpty());
  }

  void RecentFilesAreOfferedNewestFirstAndAMissingOneIsDropped() {
    TEditorFixture fixture;
    const QString first = fixture.ThreeImages();
    const QString second = fixture.Container(QStringLiteral("druhy.tvk"), mkSounds, {fixture.File("s.wav", "RIFF")});
    TForm1 form;
    ChooseFiles({first});
    Trigger(form, "Otevt1");
    ChooseFiles({second});
    Trigger(form, "Otevt1");
    const QString saved = fixture.Path(QStringLiteral("ulozeny.tvk"));
    ChooseFiles({saved});
    Trigger(form, "UlozitJako1");
    QCOMPARE(LoadRecentFiles(), (std::vector<std::string>{saved.toStdString(), second.toStdString(), first.toStdString()}));

    auto *recent = form.findChild<QMenu *>(QStringLiteral("NaposledyOtevrene1"));
    QCOMPARE(recent->actions().size(), 3);
    QCOMPARE(recent->actions()[0]->text(), QStringLiteral("&1 ") + saved);
    Trigger(form, "RecentFile2");
    QCOMPARE(form.MediaKind(), uint8_t(mkImages));
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a", "b", "c"}));
    QCOMPARE(form.DocumentPath(), first);
    QCOMPARE(recent->actions()[0]->text(), QStringLiteral("&1 ") + first);

    QFile::remove(second);
    Trigger(form, "RecentFile2"); // the list is now first, saved, second
    QCOMPARE(fixture.prompt.Errors.size(), size_t(1));
    QVERIFY(QString::fromStdString(fixture.prompt.Errors[0]).contains(QStringLiteral("už neexistuje")));
    QCOMPARE(LoadRecentFiles(), (std::vector<std::string>{first.toStdString(), saved.toStdString()}));
    QCOMPARE(recent->actions().size(), 2);
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a", "b", "c"}));
  }

  void DroppedFilesAreAddedInDropOrderAndFoldersByName() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    const QString b = fixture.Image("volne/b.bmp");
    const QString a = fixture.Image("volne/a.bmp");
    fixture.Image("slozka/frame10.bmp");
    fixture.Image("slozka/frame2.bmp");
    fixture.Image("slozka/vnorena/skryta.bmp");
    const QString odd = fixture.File("volne/poznamka.txt", "text");
    Drop(form, {b, a, fixture.Path("slozka"), odd});
    QTRY_COMPARE(Names(*ImagesGrid(form)), QStringList({"b", "a", "frame2", "frame10"}));
    QCOMPARE(fixture.prompt.Questions.size(), size_t(1)); // the .TXT went through the extension gate
    QVERIFY(QString::fromStdString(fixture.prompt.Questions[0]).startsWith(QStringLiteral("Přípona .TXT")));
    QCOMPARE(StatusText(form, 2), QStringLiteral(" 4 položky, ") +
                                      SizeText(form.Document().List.Items()[0]->Size * 4));
  }

  void ADroppedContainerOpensAndOtherDataIsRefused() {
    TEditorFixture fixture;
    const QString container = fixture.ThreeImages();
    TForm1 form;
    Show(form);
    Drop(form, {container});
    QTRY_COMPARE(Names(*ImagesGrid(form)), QStringList({"a", "b", "c"}));
    QCOMPARE(form.DocumentPath(), container);

    // What is no local file is not taken.
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/obrazek.bmp"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    QVERIFY(!enter.isAccepted());
  }

  void ExportWritesTheSelectedRowsOrAllAndAsksBeforeReplacing() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    const QString all = fixture.Path(QStringLiteral("vse"));
    QDir().mkpath(all);
    ChooseFolder(all);
    Trigger(form, "Exportovat1");
    QCOMPARE(FilesIn(all), QStringList({"a.BMP", "b.BMP", "c.BMP"}));
    QCOMPARE(fixture.Read(all + "/c.BMP"), fixture.Read(fixture.Path("src/c.bmp")));

    // Rows 2 and 3 selected with Shift+click: the menu and the context menu export just those.
    ClickCell(grid, 4, 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(grid, 4, 3));
    QCOMPARE(form.SelectedPositions(), (std::vector<int>{1, 2}));
    const QString two = fixture.Path(QStringLiteral("dva"));
    QDir().mkpath(two);
    ChooseFolder(two);
    Trigger(form, "ExportovatRadky1");
    QCOMPARE(FilesIn(two), QStringList({"b.BMP", "c.BMP"}));

    // An existing file: Ne keeps it, Ano všem replaces the rest without asking again.
    fixture.File("vse/a.BMP", "stary a");
    fixture.File("vse/b.BMP", "stary b");
    fixture.File("vse/c.BMP", "stary c");
    fixture.prompt.QueueOverwriteAnswer(TOverwriteAnswer::No);
    fixture.prompt.QueueOverwriteAnswer(TOverwriteAnswer::YesToAll);
    ClickCell(grid, 4, 1);
    ChooseFolder(all);
    Trigger(form, "Exportovat1");
    QCOMPARE(fixture.prompt.Questions.size(), size_t(2));
    QCOMPARE(fixture.Read(all + "/a.BMP"), QByteArray("stary a"));
    QCOMPARE(fixture.Read(all + "/b.BMP"), fixture.Read(fixture.Path("src/b.bmp")));
    QCOMPARE(fixture.Read(all + "/c.BMP"), fixture.Read(fixture.Path("src/c.bmp")));
    QVERIFY(!form.findChild<QWidget *>(QStringLiteral("ProgressForm")));

    // A name that would leave the folder refuses the export before anything is written.
    form.Document().List.Items()[1]->Name = "../uteceny";
    const QString refused = fixture.Path(QStringLiteral("odmitnuto"));
    QDir().mkpath(refused);
    ChooseFolder(refused);
    Trigger(form, "Exportovat1");
    QCOMPARE(fixture.prompt.Errors.size(), size_t(1));
    QVERIFY(QString::fromStdString(fixture.prompt.Errors[0]).contains(QStringLiteral("nelze bezpečně zapsat")));
    QVERIFY(FilesIn(refused).isEmpty());
    QVERIFY(!QFile::exists(fixture.Path("uteceny.BMP")));
  }

  void RowsDraggedOutBecomeFilesAndKeepTheirMark() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    auto *dragger = form.findChild<TRowDragger *>(QStringLiteral("XStringGrid1Dragger"));
    QVERIFY(dragger);
    QList<QUrl> dragged;
    dragger->Drag = [&dragged](QMimeData *data) {
      dragged = data->urls();
      delete data;
    };
    const QPoint from = CellCentre(grid, 0, 2);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(0, 30)), grid.viewport()->mapToGlobal(QPointF(from + QPoint(0, 30))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, from + QPoint(0, 30));
    QCOMPARE(dragged.size(), 1);
    QCOMPARE(QFileInfo(dragged[0].toLocalFile()).fileName(), QStringLiteral("b.BMP"));
    QCOMPARE(fixture.Read(dragged[0].toLocalFile()), fixture.Read(fixture.Path("src/b.bmp")));
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("b")); // a press that became a drag marks nothing
  }

  void FillCopiesTheFirstCellOverTheBlockAndCtrlEnterWritesEveryCell() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 6, 1, QStringLiteral("24"));
    SelectDown(grid, 6, 1, 2);
    Press(&grid, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Cell(grid, 6, 2), QStringLiteral("24"));
    QCOMPARE(Cell(grid, 6, 3), QStringLiteral("24"));
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("0")); // only the column of the first cell
    QCOMPARE(Cell(grid, 6, 4), QString()); // rows without an entry stay empty

    // A block dragged with the mouse, an edit committed with Ctrl+Enter.
    const QPoint start = CellCentre(grid, 5, 1);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(CellCentre(grid, 5, 3)), grid.viewport()->mapToGlobal(QPointF(CellCentre(grid, 5, 3))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 5, 3));
    QCOMPARE(grid.Selection(), (TGridRect{5, 1, 5, 3}));
    Press(&grid, Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor != &grid && grid.isAncestorOf(editor));
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
      edit->selectAll();
    QTest::keyClicks(editor, QStringLiteral("16"));
    Press(editor, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(grid.hasFocus());
    for (int row = 1; row <= 3; ++row)
      QCOMPARE(Cell(grid, 5, row), QStringLiteral("16"));

    // What was filled is saved.
    const QString saved = fixture.Path(QStringLiteral("vyplneno.tvk"));
    ChooseFiles({saved});
    Trigger(form, "UlozitJako1");
    QCOMPARE(ImageEntry(form, 2).PatternHeight, 16);
    QCOMPARE(ImageEntry(form, 2).PatternWidth, 24);
  }

  void RenameChangesTheNameKeepsTheExtensionAndExplainsRefusals() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    TypeIntoCell(grid, 5, 2, QStringLiteral("7"));
    ClickCell(grid, 0, 2); // marked, and it stays marked
    auto rename = [&form](const QString &text) {
      WhenModal([text](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY2(dialog && dialog->objectName() == QStringLiteral("RenameDialog1"), "the rename dialog is up");
        QCOMPARE(dialog->textValue(), QStringLiteral("b"));
        dialog->setTextValue(text);
        dialog->accept();
      });
      Trigger(form, "Prejmenovat1");
    };
    grid.SetRow(2);
    rename(QStringLiteral("tráva_ 01"));
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("* tráva_ 01"));
    QCOMPARE(Cell(grid, 1, 2), QStringLiteral(".BMP"));
    QCOMPARE(Cell(grid, 5, 2), QStringLiteral("7")); // an edit of the row is kept
    QCOMPARE(ImageEntry(form, 1).Name, std::string("tr\xE1va_ 01"));
    ClickCell(grid, 0, 2);

    grid.SetRow(3);
    for (const QString &bad : {QStringLiteral("a/b"), QString(256, QLatin1Char('x')), QStringLiteral("猫")}) {
      WhenModal([bad](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        dialog->setTextValue(bad);
        dialog->accept();
      });
      Trigger(form, "Prejmenovat1");
    }
    QCOMPARE(fixture.prompt.Errors.size(), size_t(3));
    QVERIFY(QString::fromStdString(fixture.prompt.Errors[0]).contains(QStringLiteral("lomítko")));
    QVERIFY(QString::fromStdString(fixture.prompt.Errors[1]).contains(QStringLiteral("256 bajtů")));
    QVERIFY(QString::fromStdString(fixture.prompt.Errors[2]).contains(QStringLiteral("Windows-1250")));
    QCOMPARE(Cell(grid, 0, 3), QStringLiteral("c"));

    const QString saved = fixture.Path(QStringLiteral("prejmenovano.tvk"));
    ChooseFiles({saved});
    Trigger(form, "UlozitJako1");
    TForm1 reopened({saved});
    QCOMPARE(Names(*ImagesGrid(reopened)), QStringList({"a", "tráva_ 01", "c"}));
    QCOMPARE(Cell(*ImagesGrid(reopened), 5, 2), QStringLiteral("7"));
  }

  void TheContextMenuOpensOnTheRowUnderTheMouse() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    const QPoint at = CellCentre(grid, 0, 3);
    QTest::mousePress(grid.viewport(), Qt::RightButton, {}, at);
    QCOMPARE(grid.Row(), 3);
    QCOMPARE(Cell(grid, 0, 3), QStringLiteral("c"));
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &request);
    auto *menu = form.findChild<QMenu *>(QStringLiteral("RowContextMenu"));
    QTRY_VERIFY(menu->isVisible());
    QStringList captions;
    for (QAction *action : menu->actions())
      captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(captions, QStringList({"Přidat", "Aktualizovat", "Exportovat…", "Přejmenovat…", "Označit k odebrání", "-",
                                    "Nahoru", "Dolů", "-", "Vyplnit výběr"}));
    menu->actions()[4]->trigger();
    menu->close();
    QCOMPARE(Cell(grid, 0, 3), QStringLiteral("* c"));
    QTest::mouseRelease(grid.viewport(), Qt::RightButton, {}, at);
  }

  void TheCurrentRowStaysVisibleWhileTheFocusIsElsewhere() {
    TEditorFixture fixture;
    TForm1 form({fixture.ThreeImages()});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    grid.SetRow(2);
    form.findChild<QPushButton *>(QStringLiteral("Pridat"))->setFocus();
    QTRY_VERIFY(!grid.hasFocus());
    const QImage shot = grid.viewport()->grab().toImage();
    const auto background = [&](int col, int row) {
      const QRect cell = grid.CellRect(col, row);
      return shot.pixelColor(cell.left() + 2, cell.top() + 2);
    };
    for (int col = 0; col < 3; ++col) {
      QVERIFY2(background(col, 2) != background(col, 1), "the current row's fixed cells are tinted");
      QCOMPARE(background(col, 3), background(col, 1));
    }
  }

  void TheStatusBarCountsTheEntriesTheirSizeAndTheCurrentRow() {
    TEditorFixture fixture;
    QCOMPARE(SizeText(0), QStringLiteral("0 kB"));
    QCOMPARE(SizeText(1536), QStringLiteral("1,5 kB"));
    QCOMPARE(SizeText(3 * 1024 * 1024 + 400 * 1024), QStringLiteral("3,4 MB"));
    QCOMPARE(EntriesText(1), QStringLiteral("1 položka"));
    QCOMPARE(EntriesText(4), QStringLiteral("4 položky"));
    QCOMPARE(EntriesText(5), QStringLiteral("5 položek"));

    TForm1 form({fixture.ThreeImages()});
    Show(form);
    int64_t total = 0;
    for (const auto &item : form.Document().List.Items())
      total += item->Size;
    QCOMPARE(StatusText(form, 2), QStringLiteral(" 3 položky, ") + SizeText(total));
    QCOMPARE(StatusText(form, 3), QStringLiteral(" Položka 1 z 3"));
    ClickCell(*ImagesGrid(form), 4, 3);
    QCOMPARE(StatusText(form, 3), QStringLiteral(" Položka 3 z 3"));
    Press(nullptr, Qt::Key_Escape);
    Trigger(form, "Zvuky1");
    QCOMPARE(StatusText(form, 2), QStringLiteral(" 0 položek, 0 kB"));
    QCOMPARE(StatusText(form, 3), QString());
  }
};

QTEST_MAIN(TWorkflowTest)
#include "Workflow_test.moc"
