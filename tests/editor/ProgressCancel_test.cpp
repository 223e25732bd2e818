// "Přerušit" in the real progress window, pressed during a save and during an open of the main window.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include <QDir>
#include <QMessageBox>
#include <QRandomGenerator>

using namespace EditorDriver;

namespace {
// Presses "Přerušit" as soon as the progress window shows; the press is taken when the work next pauses for it.
class TCancelWhenShown : public QObject {
public:
  TCancelWhenShown() { qApp->installEventFilter(this); }
  ~TCancelWhenShown() override { qApp->removeEventFilter(this); }
  int Presses = 0;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Show && watched->objectName() == QStringLiteral("ProgressForm")) {
      auto *button = watched->findChild<QPushButton *>(QStringLiteral("Peruit1"));
      QMetaObject::invokeMethod(
          button, [this, button] { QTest::mouseClick(button, Qt::LeftButton), ++Presses; }, Qt::QueuedConnection);
    }
    return false;
  }
};

QByteArray Noise(int size) {
  QByteArray bytes(size, '\0');
  QRandomGenerator generator(14);
  generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
  return bytes;
}

QStringList FolderNames(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }
} // namespace

class TProgressCancelTest : public QObject {
  Q_OBJECT

private slots:
  void CancellingASaveKeepsTheOldContainerByteForByte() {
    TEditorFixture fixture;
    const TProgressShownAtOnce shownAtOnce;
    const QString target = fixture.Container(QStringLiteral("stary.tvk"), mkSounds,
                                             {fixture.File(QStringLiteral("a.wav"), "ABC")});
    const QByteArray before = fixture.Read(target);
    TForm1 form;
    Show(form);
    Trigger(form, "Zvuky1");
    ChooseFiles({fixture.File(QStringLiteral("velky.wav"), Noise(3 << 20))});
    Click(form, "Pridat");
    const QString folder = QFileInfo(target).absolutePath();
    const QStringList files = FolderNames(folder);
    const QString statusBefore = StatusText(form, 1);

    TCancelWhenShown canceller;
    ChooseFiles({target});
    // The overwrite question, up once the file dialog has been answered.
    AnswerModal<QMessageBox>([](QMessageBox *question) { question->button(QMessageBox::Yes)->click(); });
    Trigger(form, "Uloit1");
    QCOMPARE(canceller.Presses, 1);
    QVERIFY(fixture.prompt.Errors.empty());
    QCOMPARE(fixture.Read(target), before);
    QCOMPARE(FolderNames(folder), files);
    QCOMPARE(StatusText(form, 1), statusBefore);
    QVERIFY(!form.findChild<QWidget *>(QStringLiteral("ProgressForm")));
    QCOMPARE(form.Document().List.Count(), 1);
  }

  void CancellingAnOpenKeepsTheDocumentShown() {
    TEditorFixture fixture;
    const TProgressShownAtOnce shownAtOnce;
    const QString shown = fixture.Container(QStringLiteral("maly.tvk"), mkImages, {fixture.Image("a.bmp")});
    const QString other = fixture.Container(QStringLiteral("velky.tvk"), mkSounds,
                                            {fixture.File(QStringLiteral("v.wav"), Noise(3 << 20))});
    TForm1 form({shown});
    Show(form);
    const QStringList files = FolderNames(QString::fromStdString(fixture.folder.Path().string()));

    TCancelWhenShown canceller;
    ChooseFiles({other});
    Trigger(form, "Otevt1");
    QCOMPARE(canceller.Presses, 1);
    QVERIFY(fixture.prompt.Errors.empty());
    QCOMPARE(form.MediaKind(), uint8_t(mkImages));
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a"}));
    QCOMPARE(StatusText(form, 1), QLatin1Char(' ') + shown);
    QCOMPARE(form.Document().List.Count(), 1);
    QCOMPARE(FolderNames(QString::fromStdString(fixture.folder.Path().string())), files);
  }
};

QTEST_MAIN(TProgressCancelTest)
#include "ProgressCancel_test.moc"
