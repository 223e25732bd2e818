// Shows the preview open dialog on a picture, a text file, an RTF file and a file without preview, and saves a
// screenshot of each: preview-demo OUTPUT_FOLDER [PICTURE...]. For looking at the dialog, not a test.
#include "PreviewFixtures.h"

#include "preview/LocalizedList.h"
#include "preview/OpenPreview.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    fprintf(stderr, "usage: preview-demo OUTPUT_FOLDER [PICTURE...]\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir samples;
  const QString dir = samples.path();
  QStringList files{PreviewFixtures::WriteBitmap(dir, "gradient.bmp", 640, 400),
                    PreviewFixtures::WriteBytes(dir, "readme.txt",
                                                "TovrikEditor\n\nSoubory se přidávají tlačítkem Přidat. "
                                                "Tento řádek je dost dlouhý, aby se zalomil v náhledu.\n"),
                    PreviewFixtures::WriteBytes(dir, "sample.rtf", PreviewFixtures::SampleRtf()),
                    PreviewFixtures::WriteBytes(dir, "archive.bin", QByteArray("\x00\x01\x02\x03", 4))};
  for (int i = 2; i < argc; ++i) {
    const QString picture = QString::fromLocal8Bit(argv[i]);
    const QString copy = QDir(dir).filePath(QFileInfo(picture).fileName());
    QFile::copy(picture, copy);
    files << copy;
  }

  TOpenPreviewDialog dialog(nullptr, "0405");
  dialog.SetShowPreviewButtonHints(
      WithLocalizedEntry(dialog.ShowPreviewButtonHints(), "Default", "Zapnutí / vypnutí náhledu"));
  dialog.SetNoPreviewTexts(WithLocalizedEntry(dialog.NoPreviewTexts(), "Default", "Náhled není k dispozici"));
  dialog.SetPreviewCaptions(WithLocalizedEntry(dialog.PreviewCaptions(), "Default", "Náhled:"));
  dialog.SetScaleHints(WithLocalizedEntry(dialog.ScaleHints(), "Default", "Přizpůsobit oknu"));
  dialog.SetWordWrapHints(WithLocalizedEntry(dialog.WordWrapHints(), "Default", "Zalamování řádků"));
  dialog.Filter = "Všechny soubory|*.*";
  dialog.Dialog().setDirectory(dir);
  dialog.Dialog().resize(860, 460);
  dialog.Dialog().show();
  if (!QTest::qWaitForWindowExposed(&dialog.Dialog()))
    return 1;
  int shot = 0;
  for (const QString &file : files) {
    if (!PreviewFixtures::SelectInDialog(dialog, file))
      fprintf(stderr, "could not select %s\n", qPrintable(file));
    QTest::qWait(200);
    const QString name = QDir(output).filePath(QString("preview-%1-%2.png").arg(++shot).arg(QFileInfo(file).fileName()));
    dialog.Dialog().grab().save(name);
    printf("%s\n", qPrintable(name));
  }
  return 0;
}
