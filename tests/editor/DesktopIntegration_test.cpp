// Desktop integration: the shared-mime-info package makes .tvk files "application/x-tovrik", a kind of ZIP,
// and the desktop file offers the editor for that type.
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TDesktopIntegrationTest : public QObject {
  Q_OBJECT

private:
  QTemporaryDir dataHome;

private slots:
  void initTestCase() {
    // The type must be known before the MIME database is first used in this process.
    QVERIFY(dataHome.isValid());
    const QString packages = dataHome.filePath(QStringLiteral("mime/packages"));
    QVERIFY(QDir().mkpath(packages));
    QVERIFY(QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/data/tovrikeditor-mime.xml"),
                        packages + QStringLiteral("/tovrikeditor.xml")));
    if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
      QCOMPARE(QProcess::execute(QStringLiteral("update-mime-database"), {dataHome.filePath(QStringLiteral("mime"))}), 0);
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
  }

  void ATvkFileIsATovrikContainer() {
    QTemporaryDir folder;
    const QString sample = folder.filePath(QStringLiteral("Hra.TVK"));
    QFile file(sample);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("PK\x05\x06", 4);
    file.write(QByteArray(18, '\0'));
    file.close();

    const QMimeType type = QMimeDatabase().mimeTypeForFile(sample);
    QCOMPARE(type.name(), QStringLiteral("application/x-tovrik"));
    QVERIFY(type.inherits(QStringLiteral("application/zip")));
    QCOMPARE(type.comment().isEmpty(), false);
  }

  void TheDesktopFileOpensTheTypeInTheEditor() {
    QSettings desktop(QStringLiteral(TOVRIK_SOURCE_DIR "/data/tovrikeditor.desktop"), QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(desktop.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    QCOMPARE(desktop.value(QStringLiteral("Exec")).toString(), QStringLiteral("TovrikEditor %f"));
    QVERIFY(desktop.value(QStringLiteral("MimeType")).toString().contains(QStringLiteral("application/x-tovrik")));
    QCOMPARE(desktop.value(QStringLiteral("Icon")).toString(), QStringLiteral("tovrikeditor"));
    QVERIFY(QFile::exists(QStringLiteral(TOVRIK_SOURCE_DIR "/data/icons/tovrikeditor-256.png")));
  }
};

QTEST_MAIN(TDesktopIntegrationTest)
#include "DesktopIntegration_test.moc"
