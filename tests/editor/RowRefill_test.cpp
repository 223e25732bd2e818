// Nahoru, Dolů and Odebrat rewrite only the rows they change: every row still shows its entry, with the edits,
// the removal marks and the texts that are no value where the user left them, at the first, last and middle rows.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "media/FileListItems.h"
#include "media/ItemColumns.h"
#include "platform/MemoryGrid.h"
#include "preview/EntryPreview.h"

#include <QStatusBar>

using namespace EditorDriver;

namespace {
constexpr int entryCount = 30;
const int frequencyCol = 4;
const int volumeCol = 5;

// The sounds s00 … s29, of sizes 100 … 129 and frequencies 1000 … 1029, in a container.
QString SoundList(TEditorFixture &fixture) {
  TMediaStream document;
  for (int i = 0; i < entryCount; ++i) {
    const QString name = QStringLiteral("s%1.wav").arg(i, 2, 10, QLatin1Char('0'));
    document.AddFile(fixture.File(name, QByteArray(100 + i, 'z')).toStdString(), mkSounds);
    static_cast<TSoundFileItem &>(*document.List.Items().back()).Frequency = 1000 + i;
  }
  const QString path = fixture.Path(QStringLiteral("zvuky.tvk"));
  SaveContainer(document, mkSounds, path.toStdString(), 2);
  return path;
}

QString Name(int i) { return QStringLiteral("s%1").arg(i, 2, 10, QLatin1Char('0')); }

QStringList Model() {
  QStringList names;
  for (int i = 0; i < entryCount; ++i)
    names << Name(i);
  return names;
}

// The window on the sound list, shown, and the names in the order the rows should show them.
struct TOpenSoundList {
  TEditorFixture fixture;
  TForm1 form{QStringList{SoundList(fixture)}};
  TXStringGrid &grid = *SoundsGrid(form);
  QStringList model = Model();
  const int rowCount = grid.RowCount();
  TOpenSoundList() { form.show(); }
};

int Frequency(TForm1 &form, int position) {
  return static_cast<const TSoundFileItem &>(*form.Document().List.Items().at(size_t(position))).Frequency;
}

// Every row shows what a refill of the whole grid would show, but for the removal marks of the marked names and
// the texts the user typed that are no value (by column and row); rows after the entries are empty.
void VerifyRowsShowTheDocument(TForm1 &form, TXStringGrid &grid, const QStringList &marked,
                               const QMap<QPair<int, int>, QString> &typed = {}) {
  TMemoryGrid expected(grid.ColCount(), grid.RowCount());
  form.Document().List.FillGrid(expected, form.MediaKind());
  for (int row = 1; row < grid.RowCount(); ++row)
    for (int col = 0; col < grid.ColCount(); ++col) {
      QString want = QString::fromStdString(expected.GetCell(col, row));
      if (col == NameColumnIndex && marked.contains(want))
        want = TForm1::ToggleRemoveMark(want);
      want = typed.value({col, row}, want);
      QVERIFY2(grid.Cells(col, row) == want, qPrintable(QStringLiteral("row %1, column %2: '%3' instead of '%4'")
                                                             .arg(row).arg(col).arg(grid.Cells(col, row), want)));
      QCOMPARE(grid.CellMarked(col, row), typed.contains({col, row}));
    }
}

// The row becomes the current one and is scrolled into view.
void GoToRow(TXStringGrid &grid, int row) {
  grid.SetRow(row);
  QCOMPARE(grid.Row(), row);
  QVERIFY(!grid.CellRect(NameColumnIndex, row).isEmpty());
}

// Opens the cell's editor with a click and types text over what it shows, without ending the edit.
void TypeWithoutEnter(TXStringGrid &grid, int col, int row, const QString &text) {
  ClickCell(grid, col, row);
  auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
  QVERIFY2(edit, "a line editor is open on the cell");
  edit->selectAll();
  TypeKeys(text);
  QVERIFY(grid.ActiveEditor());
}
} // namespace

class TRowRefillTest : public QObject {
  Q_OBJECT

private slots:
  void MovesAtTheFirstMiddleAndLastRowsKeepEveryRow() {
    TOpenSoundList open;
    auto &[fixture, form, grid, model, rowCount] = open;
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    struct TStep {
      const char *button;
      int row, swapped, rowAfter;
    };
    // Nahoru on the first row and Dolů on the last move nothing; the others swap with their neighbour.
    for (const TStep &step : {TStep{"Nahoru", 1, 0, 1}, TStep{"Nahoru", 2, 1, 1}, TStep{"Dolu", 30, 0, 30},
                              TStep{"Nahoru", 30, 29, 29}, TStep{"Dolu", 15, 15, 16}, TStep{"Dolu", 1, 1, 2},
                              TStep{"Nahoru", 16, 15, 15}}) {
      GoToRow(grid, step.row);
      Click(form, step.button);
      if (step.swapped)
        model.swapItemsAt(step.swapped - 1, step.swapped);
      QCOMPARE(Names(grid), model);
      QCOMPARE(grid.Row(), step.rowAfter);
      VerifyRowsShowTheDocument(form, grid, {});
      if (QTest::currentTestFailed())
        return;
    }
    for (int position = 0; position < entryCount; ++position)
      QCOMPARE(Frequency(form, position), 1000 + Model().indexOf(model[position]));
    QCOMPARE(grid.RowCount(), rowCount);
    QVERIFY(form.Modified());
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void AnEditStillOpenMovesWithItsEntry() {
    TOpenSoundList open;
    auto &[fixture, form, grid, model, rowCount] = open;
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // The button takes the focus, which ends the edit; the menu entry leaves it open for the command to end.
    GoToRow(grid, 15);
    TypeWithoutEnter(grid, frequencyCol, 15, QStringLiteral("22050"));
    Click(form, "Dolu");
    model.swapItemsAt(14, 15);
    QCOMPARE(Cell(grid, frequencyCol, 16), QStringLiteral("22050"));
    QCOMPARE(Frequency(form, 15), 22050);

    GoToRow(grid, 30);
    TypeWithoutEnter(grid, frequencyCol, 30, QStringLiteral("8000"));
    Trigger(form, "Nahoru1");
    model.swapItemsAt(28, 29);
    QVERIFY(!grid.ActiveEditor());
    QCOMPARE(Cell(grid, frequencyCol, 29), QStringLiteral("8000"));
    QCOMPARE(Frequency(form, 28), 8000);

    // Odebrat with an edit open below the removed row: the edit moves up with its row.
    GoToRow(grid, 3);
    ClickCell(grid, NameColumnIndex, 3);
    GoToRow(grid, 20);
    TypeWithoutEnter(grid, frequencyCol, 20, QStringLiteral("11025"));
    Trigger(form, "Odebrat1");
    model.removeAt(2);
    QCOMPARE(Names(grid), model);
    QCOMPARE(Cell(grid, frequencyCol, 19), QStringLiteral("11025"));
    QCOMPARE(Frequency(form, 18), 11025);
    VerifyRowsShowTheDocument(form, grid, {});
    QVERIFY(fixture.prompt.Errors.empty());
  }

  void MarksAndTextsThatAreNoValueStayWithTheirRows() {
    TOpenSoundList open;
    auto &[fixture, form, grid, model, rowCount] = open;
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Marked rows changing places keep their marks, and so does a marked row that changes places with another.
    for (const int row : {3, 4, 10}) {
      GoToRow(grid, row);
      ClickCell(grid, NameColumnIndex, row);
    }
    GoToRow(grid, 4);
    Click(form, "Nahoru");
    GoToRow(grid, 9);
    Click(form, "Dolu");
    model.swapItemsAt(2, 3);
    model.swapItemsAt(8, 9);
    QCOMPARE(Names(grid).mid(0, 10), QStringList({"s00", "s01", "* s03", "* s02", "s04", "s05", "s06", "s07",
                                                  "* s09", "s08"}));
    const QStringList marked = {"s02", "s03", "s09"};
    VerifyRowsShowTheDocument(form, grid, marked);

    // A text that is no value stops only a move of its own row; elsewhere it stays, marked, and named.
    GoToRow(grid, 20);
    TypeIntoCell(grid, volumeCol, 20, QStringLiteral("abc"));
    QVERIFY(!form.statusBar()->currentMessage().isEmpty());
    GoToRow(grid, 12);
    Click(form, "Nahoru");
    model.swapItemsAt(10, 11);
    VerifyRowsShowTheDocument(form, grid, marked, {{{volumeCol, 20}, QStringLiteral("abc")}});
    QVERIFY(!form.statusBar()->currentMessage().isEmpty());
    GoToRow(grid, 20);
    Click(form, "Dolu");
    QCOMPARE(fixture.prompt.Errors,
             std::vector<std::string>{"Položka s19, sloupec Volume: 'abc' is not a valid integer value"});
    QCOMPARE(Names(grid).mid(18, 3), QStringList({"s18", "s19", "s20"}));

    // Odebrat takes the marked rows at the top, the middle and the bottom; the rows below close up.
    GoToRow(grid, 1);
    ClickCell(grid, NameColumnIndex, 1);
    GoToRow(grid, 30);
    ClickCell(grid, NameColumnIndex, 30);
    Click(form, "Odebrat");
    for (const QString &name : {QStringLiteral("s00"), QStringLiteral("s29"), QStringLiteral("s02"),
                                QStringLiteral("s03"), QStringLiteral("s09")})
      model.removeOne(name);
    QCOMPARE(Names(grid), model);
    QCOMPARE(grid.RowCount(), rowCount);
    QCOMPARE(form.Document().List.Count(), entryCount - 5);
    VerifyRowsShowTheDocument(form, grid, {}, {{{volumeCol, 16}, QStringLiteral("abc")}});
    QVERIFY(!form.statusBar()->currentMessage().isEmpty());

    // Once the text is mended, nothing is marked and the status bar has nothing more to say.
    GoToRow(grid, 16);
    TypeIntoCell(grid, volumeCol, 16, QStringLiteral("128"));
    QVERIFY(!grid.HasCellMarks());
    QVERIFY(form.statusBar()->currentMessage().isEmpty());
    VerifyRowsShowTheDocument(form, grid, {});
  }

  void ThePreviewShowsTheEntryOfTheCurrentRowAfterEachCommand() {
    TEditorFixture fixture;
    TForm1 form({fixture.Container(QStringLiteral("a.tvk"), mkImages,
                                   {fixture.Image("a.bmp", Qt::red, 8), fixture.Image("b.bmp", Qt::blue, 4),
                                    fixture.Image("c.bmp", Qt::green, 16)})});
    Show(form);
    TXStringGrid &grid = *ImagesGrid(form);
    auto &pane = *form.findChild<TEntryPreview *>(QStringLiteral("EntryPreview"));
    QVERIFY(pane.isVisible());
    QCOMPARE(pane.ShownPicture().size(), QSize(8, 8));
    ClickCell(grid, NameColumnIndex, 1);
    Click(form, "Odebrat"); // the current row stays, its entry is another
    QCOMPARE(Names(grid), QStringList({"b", "c"}));
    QCOMPARE(pane.ShownPicture().size(), QSize(4, 4));
    Click(form, "Dolu");
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(pane.ShownPicture().size(), QSize(4, 4));
    GoToRow(grid, 1);
    QCOMPARE(pane.ShownPicture().size(), QSize(16, 16));
    Click(form, "Dolu");
    QCOMPARE(Names(grid), QStringList({"b", "c"}));
    QCOMPARE(pane.ShownPicture().size(), QSize(16, 16));
  }
};

QTEST_MAIN(TRowRefillTest)
#include "RowRefill_test.moc"
