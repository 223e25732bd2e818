// The progress window: the calls a save makes, in order, show at once without the event loop running.
#include "editor/ProgresForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

class TProgresFormTest : public QObject {
  Q_OBJECT

private slots:
  void LooksAsDesigned() {
    TProgressForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Prosím čekejte"));
    auto *bar = form.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QVERIFY(bar);
    QCOMPARE(bar->geometry(), QRect(16, 24, 208, 17));
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    QVERIFY(!form.isModal());
    // Fixed in size, with no maximise button, and wide enough for its whole title.
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(QFontMetrics(QApplication::font()).horizontalAdvance(form.windowTitle()) + 80 < form.width());
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
    QVERIFY(!form.isModal());
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
