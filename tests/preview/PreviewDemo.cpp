// Shows the preview open dialog on a picture, a text file, an RTF file and a file without preview, and saves a
// screenshot of each: preview-demo OUTPUT_FOLDER [PICTURE[=NAME]...]. For looking at the dialog, not a test.
#include "PreviewFixtures.h"

#include "preview/LocalizedList.h"
#include "preview/OpenPreview.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    fprintf(stderr, "usage: preview-demo OUTPUT_FOLDER [PICTURE[=NAME]...]\n");
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
    // A picture given as "path=name" is copied under that name (a BMP as .dib, say).
    const QStringList parts = picture.split('=');
    const QString copy = QDir(dir).filePath(parts.size() > 1 ? parts[1] : QFileInfo(picture).fileName());
    QFile::copy(parts[0], copy);
    files << copy;
  }

  TOpenPreviewDialog dialog(nullptr, "0405");
  dialog.SetShowPreviewButtonHints(
      WithLocalizedEntry(dialog.ShowPreviewButtonHints(), "Default", "Zapnutí / vypnutí náhledu"));
  dialog.SetNoPreviewTexts(WithLocalizedEntry(dialog.NoPreviewTexts(), "Default", "Náhled není k dispozici"));
  dialog.SetPreviewCaptions(WithLocalizedEntry(dialog.PreviewCaptions(), "Default", "Náhled:"));
  dialog.SetScaleHints(WithLocalizedEntry(dialog.ScaleHints(), "Default", "Přizpůsobit oknu"));
  dialog.SetWordWrapHints(WithLocalizedEntry(dialog.WordWrapHints(), "Default", "Zalamování řádků"));
  dialog.Filter = "Obrázkové soubory|*.BMP;*.JPG;*.DIB|Všechny soubory|*.*";
  dialog.InitialDir = dir;
  dialog.Options |= TOpenOption::ofAllowMultiSelect | TOpenOption::ofFileMustExist;
  int shot = 0;
  const auto save = [&](const QString &what) {
    QTest::qWait(200);
    const QString name = QDir(output).filePath(QString("preview-%1-%2.png").arg(++shot).arg(what));
    dialog.Dialog().grab().save(name);
    printf("%s\n", qPrintable(name));
  };
  QTimer::singleShot(0, &dialog, [&] {
    dialog.Dialog().resize(1000, 520);
    if (!QTest::qWaitForWindowExposed(&dialog.Dialog()))
      return dialog.Dialog().reject();
    save("nothing-selected");
    dialog.Dialog().selectNameFilter(dialog.Dialog().nameFilters().at(1));
    for (const QString &file : files) {
      if (!PreviewFixtures::SelectInDialog(dialog, file))
        fprintf(stderr, "could not select %s\n", qPrintable(file));
      save(QFileInfo(file).fileName());
    }
    dialog.Dialog().findChild<QToolButton *>("FShowPreviewButton")->click();
    save("preview-off");
    dialog.Dialog().reject();
  });
  dialog.Execute();
  return 0;
}
