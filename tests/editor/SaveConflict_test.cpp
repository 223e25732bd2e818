// Save in the real window asks before overwriting a container another program changed since it was opened or
// saved, and writes nothing when the answer is No.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "media/MediaMessages.h"

#include <QMessageBox>

using namespace EditorDriver;

namespace {
// The file dialog asks whether to replace the existing file: Yes, once its question is up.
void ConfirmReplaceWhenAsked() {
  AnswerModal<QMessageBox>([](QMessageBox *question) { question->button(QMessageBox::Yes)->click(); });
}

void SaveOver(TForm1 &form, const QString &path) {
  ChooseFiles({path});
  ConfirmReplaceWhenAsked();
  Trigger(form, "UlozitJako1");
}
} // namespace

class TSaveConflictTest : public QObject {
  Q_OBJECT

private slots:
  void AChangeByAnotherProgramIsNeverOverwrittenUnasked() {
    TEditorFixture fixture;
    const QString target = fixture.Container(QStringLiteral("hra.tvk"), mkImages, {fixture.Image("a.bmp")});
    TForm1 form({target});
    Show(form);
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a"}));

    // Unchanged since it was opened: saved without a question.
    SaveOver(form, target);
    QVERIFY(fixture.prompt.Questions.empty());
    const QByteArray ours = TEditorFixture::MediaStream(target);

    // Another program (tvk) replaces the file with one that has two entries.
    fixture.Container(QStringLiteral("hra.tvk"), mkImages, {fixture.Image("a.bmp"), fixture.Image("b.bmp")});
    const QByteArray theirs = fixture.Read(target);
    fixture.prompt.QueueAnswer(false);
    SaveOver(form, target);
    QCOMPARE(fixture.prompt.Questions, std::vector<std::string>({MediaMessages::ChangedOnDisk}));
    QCOMPARE(fixture.Read(target), theirs);
    QVERIFY(fixture.prompt.Errors.empty());

    // Asked again, and this time saved anyway; from then on the saved file is the one the window knows.
    fixture.prompt.QueueAnswer(true);
    SaveOver(form, target);
    QCOMPARE(fixture.prompt.Questions.size(), size_t(2));
    QVERIFY(fixture.Read(target) != theirs);
    QCOMPARE(TEditorFixture::MediaStream(target), ours);
    SaveOver(form, target);
    QCOMPARE(fixture.prompt.Questions.size(), size_t(2));
  }
};

QTEST_MAIN(TSaveConflictTest)
#include "SaveConflict_test.moc"
