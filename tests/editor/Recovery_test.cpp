// Recovering unsaved work in the main window: a scripted editor (recovery_child) edits a container and is killed
// with SIGKILL; the next window offers its work, restores it with its "*" and history, and saves it; or keeps it
// for later, says so when the container is opened again, and discards it.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "desktop/MessagePrompt.h"
#include "media/DocumentController.h"
#include "media/Recovery.h"
#include "support/ChildProcess.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

using namespace EditorDriver;

namespace {
QString TvkList(const QString &container) {
  QProcess tvk;
  tvk.start(QStringLiteral(TOVRIK_BIN_DIR "/tvk"), {QStringLiteral("list"), QStringLiteral("--long"), container});
  tvk.waitForFinished();
  return QString::fromUtf8(tvk.readAllStandardOutput());
}

// A scripted editor opens tri.tvk, adds two pictures, removes, moves and edits, and is killed; expected.tvk holds
// what it showed.
void KilledEditor(TEditorFixture &fixture) {
  const QString container = fixture.ThreeImages();
  TChildProcess editor(RECOVERY_CHILD, {"edits", container.toStdString(), fixture.Path("expected.tvk").toStdString(),
                                        fixture.Image("d.bmp").toStdString(), fixture.Image("e.bmp").toStdString()});
  QCOMPARE(QString::fromStdString(editor.ReadLine()), QStringLiteral("ready"));
  editor.Kill();
}

// Shows form as the program does, lets it offer the killed editor's work and answers with button.
void ShowAndAnswer(TForm1 &form, const char *button) {
  Show(form);
  AnswerModal<QMessageBox>([button](QMessageBox *box) {
    QCOMPARE(box->objectName(), QStringLiteral("RecoveryBox"));
    QCOMPARE(box->text(), QStringLiteral("Obnovit neuložené změny?"));
    const QString facts = box->informativeText().replace(QChar::Nbsp, QLatin1Char(' '));
    QVERIFY(facts.contains(QStringLiteral("Dokument: tri.tvk")));
    QVERIFY(facts.contains(QStringLiteral("Počet položek: 4")));
    box->findChild<QPushButton *>(QString::fromLatin1(button))->click();
  });
  form.OfferRecoveryAtStart();
}

// The journals and backing files in the app folder.
qsizetype LeftFiles(TEditorFixture &fixture) {
  return static_cast<qsizetype>(JournalFiles(fixture.folder.Path().string()).size()) +
         QDir(fixture.Path(QString())).entryList({QStringLiteral("Temp*.tmp")}, QDir::Files | QDir::Hidden).size();
}
} // namespace

class TRecoveryTest : public QObject {
  Q_OBJECT

private slots:
  void TheKilledEditorsWorkComesBackAndSavesAsItShowedIt() {
    TEditorFixture fixture;
    KilledEditor(fixture);
    QCOMPARE(LeftFiles(fixture), 2); // its journal and the backing file the journal keeps
    TMessagePrompt prompt;
    SetPrompt(&prompt);
    {
      TForm1 form;
      ShowAndAnswer(form, "RestoreButton");
      QCOMPARE(form.windowTitle(), QStringLiteral("*tri.tvk – TovrikEditor"));
      QCOMPARE(Names(*ImagesGrid(form)).size(), 4);
      QVERIFY(form.findChild<QAction *>(QStringLiteral("Zpet1"))->isEnabled());

      form.Uloit1Click();
      QCOMPARE(form.windowTitle(), QStringLiteral("tri.tvk – TovrikEditor"));
      QCOMPARE(TvkList(fixture.Path("tri.tvk")), TvkList(fixture.Path("expected.tvk")));
      QVERIFY(!TvkList(fixture.Path("tri.tvk")).isEmpty());
    }
    SetPrompt(nullptr);
    QCOMPARE(LeftFiles(fixture), 0);
  }

  void LaterKeepsTheWorkAndSaysSoAtOpeningThenDiscardTakesItAway() {
    TEditorFixture fixture;
    KilledEditor(fixture);
    TMessagePrompt prompt;
    SetPrompt(&prompt);
    {
      TForm1 form;
      ShowAndAnswer(form, "LaterButton");
      QCOMPARE(form.windowTitle(), QStringLiteral("TovrikEditor"));
      QCOMPARE(LeftFiles(fixture), 2);

      AnswerModal<QMessageBox>([](QMessageBox *box) {
        QCOMPARE(box->objectName(), QStringLiteral("OtherJournalBox"));
        box->accept();
      });
      form.LoadContainer(fixture.Path("tri.tvk"));
      QCOMPARE(Names(*ImagesGrid(form)).size(), 3);
    }
    {
      TForm1 form;
      ShowAndAnswer(form, "DiscardButton");
      QCOMPARE(LeftFiles(fixture), 0);
      QCOMPARE(form.windowTitle(), QStringLiteral("TovrikEditor"));
    }
    SetPrompt(nullptr);
  }
};

QTEST_MAIN(TRecoveryTest)
#include "Recovery_test.moc"
