// The file dialogs start where the user last used that kind of file, across starts; a first run starts in the
// user's home (or its Pictures folder for pictures), never in the program's folder.
#include "EditorDriver.h"
#include "EditorFixture.h"

using namespace EditorDriver;

namespace {
// The next file dialog notes the folder it came up in, then chooses file (cancelled when it is empty).
void NoteFolderAndChoose(QString *folder, const QString &file) {
  AnswerModal<QFileDialog>([folder, file](QFileDialog *dialog) {
    *folder = dialog->directory().absolutePath();
    if (file.isEmpty())
      dialog->reject();
    else
      AcceptNames(dialog, QFileInfo(file).absolutePath(), QFileInfo(file).fileName());
  });
}

} // namespace

class TDialogFoldersTest : public QObject {
  Q_OBJECT

private slots:
  void EachDialogStartsWhereItsKindOfFileWasLastUsed() {
    TEditorFixture fixture;
    const QString home = fixture.Path(QStringLiteral("home"));
    // A home of the test's own, with XDG settings of its own (the test binary runs this one case).
    QDir().mkpath(home);
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
    QDir().mkpath(home + QStringLiteral("/Pictures"));
    const QString picture = fixture.Image(QStringLiteral("art/a.bmp"));
    const QString sound = fixture.File(QStringLiteral("sfx/s.wav"), "RIFF");
    QDir().mkpath(fixture.Path(QStringLiteral("box")));
    const QString container = fixture.Container(QStringLiteral("box/c.tvk"), mkImages, {picture});
    QString folder;
    // Each step has a window of its own, as after a restart; none is closed, so nothing asks about changes.
    {
      TForm1 form;
      Show(form);
      NoteFolderAndChoose(&folder, picture);
      Click(form, "Pridat");
      QCOMPARE(folder, home + QStringLiteral("/Pictures"));
      QCOMPARE(form.Document().List.Count(), 1);
    }
    {
      TForm1 form;
      Show(form);
      Trigger(form, "Zvuky1");
      NoteFolderAndChoose(&folder, sound);
      Click(form, "Pridat");
      QCOMPARE(folder, home); // there is no Music folder
    }
    {
      TForm1 form;
      Show(form);
      NoteFolderAndChoose(&folder, container);
      Trigger(form, "Otevt1");
      QCOMPARE(folder, home);
      QCOMPARE(form.DocumentPath(), container);
      NoteFolderAndChoose(&folder, QString());
      Click(form, "Pridat");
      QCOMPARE(folder, QFileInfo(picture).absolutePath());
    }
    {
      TForm1 form;
      Show(form);
      Trigger(form, "Zvuky1");
      NoteFolderAndChoose(&folder, QString());
      Click(form, "Pridat");
      QCOMPARE(folder, QFileInfo(sound).absolutePath());
      NoteFolderAndChoose(&folder, QString());
      Trigger(form, "Otevt1");
      QCOMPARE(folder, QFileInfo(container).absolutePath());
    }
  }
};

QTEST_MAIN(TDialogFoldersTest)
#include "DialogFolders_test.moc"
