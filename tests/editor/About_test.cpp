// The About box: its name and credits, and the two ways of closing it.
#include "editor/About.h"
#include "support/ModalAnswer.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TAboutTest : public QObject {
  Q_OBJECT

private slots:
  void ShowsTheProgramsName() {
    TAboutForm about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.size(), QSize(202, 148));
    auto *name = about.findChild<QLabel *>(QStringLiteral("ProductName"));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("TovrikEditor"));
    QVERIFY(name->font().bold());
    QCOMPARE(name->font().pointSize(), 16);
    QVERIFY(!about.windowIcon().isNull());
  }

  void OkCloses() {
    TAboutForm about;
    AnswerModal<QDialog>([](QDialog *box) {
      QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
  }

  void TheCloseBoxClosesLikeOk() {
    TAboutForm about;
    AnswerModal<QDialog>([](QDialog *box) { box->close(); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
  }
};

QTEST_MAIN(TAboutTest)
#include "About_test.moc"
