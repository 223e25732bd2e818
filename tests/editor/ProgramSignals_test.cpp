// The TovrikEditor program ended by SIGTERM, SIGINT or SIGHUP takes its hidden files along (the same handler
// deletes a save's temporary files).
#include "EditorFixture.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

class TProgramSignalsTest : public QObject {
  Q_OBJECT

private slots:
  void ASignalEndingTheProgramTakesItsBackingFileAlong() {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
      TEditorFixture fixture; // TOVRIK_HOME: the backing file goes into this folder
      const QString container = fixture.Container(QStringLiteral("a.tvk"), mkImages, {fixture.Image("a.bmp")});
      QProcess editor;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
      editor.setProcessEnvironment(environment);
      editor.start(QStringLiteral(TOVRIK_BIN_DIR "/TovrikEditor"), {container});
      QVERIFY(editor.waitForStarted());
      const QString backing = fixture.Path(QStringLiteral("Temp.tmp"));
      QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(backing), 30000); // the container is open
      ::kill(static_cast<pid_t>(editor.processId()), signalNumber);
      QVERIFY(editor.waitForFinished(30000));
      QCOMPARE(editor.exitStatus(), QProcess::CrashExit);
      QVERIFY2(!QFile::exists(backing), qPrintable(QString::number(signalNumber)));
    }
  }
};

QTEST_MAIN(TProgramSignalsTest)
#include "ProgramSignals_test.moc"
