// Files the core refuses, seen through the window: the error is shown, the files added before it stay visible,
// and a long session of Opens keeps working.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace EditorDriver;

class TRefusedFilesTest : public QObject {
  Q_OBJECT

private slots:
  void AFifoAmongSeveralFilesIsRefusedAndTheOthersBeforeItAreShown() {
    TEditorFixture fixture;
    const QString fifo = fixture.Path(QStringLiteral("roura.bmp"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A program that opened the FIFO after all would wait for a writer: this one comes and goes at once, so such
    // a fault fails the test instead of hanging it. A refused FIFO leaves the writer waiting until the test lets it go.
    std::thread writer([path = QFile::encodeName(fifo)] {
      if (const int fd = ::open(path.constData(), O_WRONLY); fd >= 0)
        ::close(fd);
    });
    TForm1 form;
    Show(form);
    ChooseFiles({fixture.Image("a.bmp"), fifo, fixture.Image("b.bmp")});
    Click(form, "Pridat");
    const int release = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    ::close(release);
    QCOMPARE(fixture.prompt.Errors.size(), size_t(1));
    QVERIFY2(QString::fromStdString(fixture.prompt.Errors.front()).contains(QStringLiteral("roura")),
             fixture.prompt.Errors.front().c_str());
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a"}));
    QCOMPARE(form.Document().List.Count(), 1);
  }

  void ANameWindows1250CannotHoldIsRefusedByName() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    const QString japanese = fixture.Image(QStringLiteral("絵.bmp"));
    ChooseFiles({fixture.Image("a.bmp"), japanese});
    Click(form, "Pridat");
    QCOMPARE(fixture.prompt.Errors.size(), size_t(1));
    QVERIFY2(QString::fromStdString(fixture.prompt.Errors.front()).contains(QStringLiteral("絵")),
             fixture.prompt.Errors.front().c_str());
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a"}));
  }

  void AThousandOpensInOneSessionLeaveOpenWorking() {
    TEditorFixture fixture;
    const QString first = fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")});
    const QString second = fixture.Container(QStringLiteral("b.tvk"), mkImages, {fixture.Image("b.bmp")});
    TForm1 form;
    Show(form);
    for (int i = 0; i < 1000; ++i)
      form.LoadContainer(i % 2 ? second : first);
    QVERIFY(fixture.prompt.Errors.empty());
    ChooseFiles({first});
    Trigger(form, "Otevt1");
    QVERIFY(fixture.prompt.Errors.empty());
    QCOMPARE(Names(*ImagesGrid(form)), QStringList({"a"}));
    const QStringList backing = QDir(QString::fromStdString(fixture.folder.Path().string()))
                                    .entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
    QCOMPARE(backing.size(), 1);
  }
};

QTEST_MAIN(TRefusedFilesTest)
#include "RefusedFiles_test.moc"
