// The progress window: the calls a save makes, in order, show at once without the event loop running.
#include "editor/ProgresForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace std::chrono_literals;

class TProgresFormTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { TProgressForm::SetShowDelay(0ms); }

  void LooksAsDesigned() {
    TProgressForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Prosím čekejte"));
    auto *bar = form.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QVERIFY(bar);
    QCOMPARE(bar->geometry(), QRect(16, 24, 208, 17));
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    // Fixed in size, with no maximise button, and wide enough for its whole title.
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(QFontMetrics(QApplication::font()).horizontalAdvance(form.windowTitle()) + 80 < form.width());
    auto *cancel = form.findChild<QPushButton *>(QStringLiteral("Peruit1"));
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QStringLiteral("Přerušit"));
    // While it is up, the work's pauses for the event loop let only this window take input.
    QCOMPARE(form.windowModality(), Qt::ApplicationModal);
  }

  void FollowsTheCallsOfASave() {
    TProgressForm form;
    TProgressSink &sink = form;
    auto *label = form.findChild<QLabel *>(QStringLiteral("Label1"));
    auto *bar = form.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));

    sink.SetMessage("Sestavuji soubor");
    QCOMPARE(label->text(), QStringLiteral("Sestavuji soubor"));
    form.Start(2);
    QVERIFY(form.isVisible());
    QCOMPARE(bar->maximum(), 2);
    sink.SetPosition(1);
    QCOMPARE(bar->value(), 1);
    sink.SetPosition(2);
    QCOMPARE(bar->value(), 2);

    sink.SetMessage("Komprimuji soubor");
    sink.SetMax(3);
    QCOMPARE(bar->maximum(), 3);
    QCOMPARE(bar->value(), 0);
    for (int step = 1; step <= 3; ++step) {
      sink.SetPosition(step);
      QCOMPARE(bar->value(), step);
    }
  }

  void PrerusitEscAndTheCloseBoxEachAskToCancel() {
    for (int way = 0; way < 3; ++way) {
      TProgressForm form;
      form.Start(10);
      QVERIFY(!form.CancelRequested());
      auto *cancel = form.findChild<QPushButton *>(QStringLiteral("Peruit1"));
      if (way == 0)
        QTest::mouseClick(cancel, Qt::LeftButton);
      else if (way == 1)
        QTest::keyClick(&form, Qt::Key_Escape);
      else
        form.close();
      QVERIFY(form.CancelRequested());
      QVERIFY2(form.isVisible(), "the window stays until the work has stopped");
      QVERIFY(!cancel->isEnabled());
    }
  }

  void QuickWorkShowsNoWindow() {
    TProgressForm::SetShowDelay(1h);
    TProgressForm form;
    form.Start(100);
    form.SetPosition(50);
    form.SetPosition(100);
    QVERIFY(!form.isVisible());
    TProgressForm::SetShowDelay(0ms);
  }

  void AnEmptyDocumentStartsAtZero() {
    TProgressForm form;
    form.Start(0);
    auto *bar = form.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QCOMPARE(bar->maximum(), 0);
    QCOMPARE(bar->value(), 0);
  }

  void CountsBeyondTheBarsRangeKeepTheirProportion() {
    TProgressForm form;
    auto *bar = form.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    const int64_t huge = int64_t(1) << 40;
    form.SetMax(huge);
    form.SetPosition(huge / 2);
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum() / 2);
    form.SetPosition(huge);
    QCOMPARE(bar->value(), bar->maximum());
  }
};

QTEST_MAIN(TProgresFormTest)
#include "ProgresForm_test.moc"
