// The preview open dialog driven as a user would: selecting files, clicking the two toggles, running Execute.
#include "PreviewFixtures.h"
#include "support/ModalAnswer.h"
#include "support/TempAppFolder.h"

#include "pictures/Pictures.h"
#include "platform/Exceptions.h"
#include "desktop/Sound.h"
#include "preview/LocalizedList.h"
#include "preview/OpenPreview.h"
#include "preview/PreviewImage.h"

#include <QLabel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

using namespace PreviewFixtures;

namespace {

QString FolderOf(const TTempAppFolder &folder) { return QString::fromStdString(folder.Path().string()); }

template <typename T> T *Child(TOpenPreviewDialog &dialog, const char *name) {
  return dialog.Dialog().findChild<T *>(name);
}

// A picture that, like a JPEG, only decodes when first drawn, and fails to.
class TUndecodablePicture : public TPicture {
public:
  int Width() const override { return 40; }
  int Height() const override { return 30; }
  void Draw(QPainter &, const QRect &) override {
    ++draws;
    throw Exception("JPEG data is corrupt");
  }
  QImage ToImage() override { throw Exception("JPEG data is corrupt"); }
  static inline int draws = 0;
};

bool ShowDialog(TOpenPreviewDialog &dialog, const QString &folder) {
  dialog.Dialog().setDirectory(folder);
  dialog.Dialog().resize(900, 500);
  dialog.Dialog().show();
  return QTest::qWaitForWindowExposed(&dialog.Dialog());
}

// A dialog for language 0409 over a fresh folder of its own that holds one test's sample files.
struct TDialogOverFolder {
  TTempAppFolder folder;
  TOpenPreviewDialog dialog{nullptr, "0409"};

  QString Dir() const { return FolderOf(folder); }
  QString Write(const QString &name, const QByteArray &bytes) const { return WriteBytes(Dir(), name, bytes); }
  bool Show() { return ShowDialog(dialog, Dir()); }
};

} // namespace

class TestOpenPreview : public QObject {
  Q_OBJECT

private slots:
  void cleanup() { PlayWaveAsync(QString()); }

  void languageFallbacks() {
    TOpenPreviewDialog czech(nullptr, "0405");
    QCOMPARE(czech.PrimaryLanguage(), QString("0005"));
    QCOMPARE(czech.LocalizedText(czech.NoPreviewTexts()), QString("No preview"));
    czech.SetNoPreviewTexts(WithLocalizedEntry(czech.NoPreviewTexts(), "Default", "Náhled není k dispozici"));
    QCOMPARE(czech.LocalizedText(czech.NoPreviewTexts()), QString("Náhled není k dispozici"));
    QCOMPARE(czech.NoPreviewTexts().size(), 11);

    TOpenPreviewDialog british(nullptr, "0809");
    QCOMPARE(british.PrimaryLanguage(), QString("0009"));
    QCOMPARE(british.LocalizedText({"Default=D", "0409=US", "0009=EN"}), QString("EN"));

    TOpenPreviewDialog austrian(nullptr, "0C07");
    QCOMPARE(austrian.LocalizedText(austrian.NoPreviewTexts()), QString("Keine Vorschau"));
    TOpenPreviewDialog danish(nullptr, "0406");
    QCOMPARE(danish.LocalizedText(danish.PreviewCaptions()), QString("Prøvevisning:"));
    QCOMPARE(Child<QLabel>(danish, "CaptionPanel")->text(), QString("Prøvevisning:"));
  }

  void constructionDefaults() {
    TOpenPreviewDialog dialog(nullptr, "0409");
    QStringList expected;
    for (const QString &mask : TPictureRegistry::FileMask().split(';'))
      expected << mask.mid(2);
    expected << "txt" << "ini" << "inf" << "bat" << "log" << "pas" << "dpr" << "dpk" << "rtf" << "wav";
    QCOMPARE(dialog.PreviewExtensions(), expected);
    QCOMPARE(dialog.Titles(), QStringList{"Default="});
    QVERIFY(dialog.ShowPreview());
    QVERIFY(dialog.WordWrapAndScale());
    QVERIFY(Child<QToolButton>(dialog, "FShowPreviewButton")->isChecked());
    QVERIFY(Child<QToolButton>(dialog, "FWordWrapButton")->isChecked());
    QCOMPARE(dialog.Version(), QString("4.50.00.00"));

    dialog.SetPreviewCaptions({"Default=Náhled:"});
    QCOMPARE(Child<QLabel>(dialog, "CaptionPanel")->text(), QString("Náhled:"));
    dialog.SetShowPreviewButtonHints({"Default=Zapnutí / vypnutí náhledu"});
    QCOMPARE(Child<QToolButton>(dialog, "FShowPreviewButton")->toolTip(), QString("Zapnutí / vypnutí náhledu"));
  }

  void noPreviewTextWithoutAFile() {
    TDialogOverFolder fixture;
    TOpenPreviewDialog &dialog = fixture.dialog;
    QVERIFY(fixture.Show());
    QCOMPARE(PreviewMessage(dialog), QString("No preview"));
    auto *text = Child<QTextEdit>(dialog, "FPreviewText");
    QVERIFY(text->isVisible());
    QVERIFY(!Child<TPreviewImage>(dialog, "FPreviewImage")->isVisible());
    QCOMPARE(Child<QToolButton>(dialog, "FWordWrapButton")->toolTip(), QString("Word-wrap"));
    QCOMPARE(Child<QLabel>(dialog, "CaptionPanel")->text(), QString("Preview:"));
    // Centred on its line, with blank lines above it about halfway down the view.
    const QTextBlock last = text->document()->lastBlock();
    QCOMPARE(last.text(), QString("No preview"));
    QCOMPARE(last.blockFormat().alignment(), Qt::AlignHCenter);
    QVERIFY(last.blockNumber() > 0);
    const auto messageNearMiddle = [text] {
      const QTextBlock message = text->document()->lastBlock();
      return message.text() == "No preview" && std::abs(message.layout()->position().y() - text->height() / 2) < 30;
    };
    QVERIFY(messageNearMiddle());
    // A taller dialog centres the message again.
    dialog.Dialog().resize(900, 800);
    QTRY_VERIFY(text->height() > 600);
    QVERIFY(messageNearMiddle());
  }

  void textFileAndTheShowPreviewToggle() {
    TDialogOverFolder fixture;
    const QString notes = fixture.Write("notes.txt", "first line\nsecond line\n");
    const QString czech = fixture.Write("czech.log", "\xe8\xe1st \x9e\x6c\x75\x9d");
    TOpenPreviewDialog &dialog = fixture.dialog;
    QVERIFY(fixture.Show());
    QVERIFY(SelectInDialog(dialog, notes));
    QCOMPARE(dialog.CurrentExtension(), QString("txt"));
    QCOMPARE(PreviewMessage(dialog), QString("first line\nsecond line"));
    QVERIFY(Child<QTextEdit>(dialog, "FPreviewText")->isVisible());

    auto *showPreview = Child<QToolButton>(dialog, "FShowPreviewButton");
    QTest::mouseClick(showPreview, Qt::LeftButton);
    QVERIFY(!dialog.ShowPreview());
    QCOMPARE(PreviewMessage(dialog), QString("No preview"));
    QVERIFY(SelectInDialog(dialog, czech));
    QCOMPARE(PreviewMessage(dialog), QString("No preview"));
    QTest::mouseClick(showPreview, Qt::LeftButton);
    QVERIFY(dialog.ShowPreview());
    QCOMPARE(PreviewMessage(dialog), QString("část žluť"));
  }

  void emptyTextFileShowsTheBlankImagePane() {
    TDialogOverFolder fixture;
    const QString empty = fixture.Write("empty.txt", "");
    TOpenPreviewDialog &dialog = fixture.dialog;
    QVERIFY(fixture.Show());
    QVERIFY(SelectInDialog(dialog, empty));
    auto *image = Child<TPreviewImage>(dialog, "FPreviewImage");
    QVERIFY(image->isVisible());
    QVERIFY(!image->HasPicture());
    QVERIFY(!Child<QTextEdit>(dialog, "FPreviewText")->isVisible());
    QCOMPARE(Child<QToolButton>(dialog, "FWordWrapButton")->toolTip(), QString("Scale to fit"));
  }

  void waveFileShowsItsTypeWhilePlaying() {
    TDialogOverFolder fixture;
    const QString wave = WriteWave(fixture.Dir(), "ding.wav");
    const QString notes = fixture.Write("notes.txt", "text");
    TOpenPreviewDialog &dialog = fixture.dialog;
    QVERIFY(fixture.Show());
    QVERIFY(SelectInDialog(dialog, wave));
    QCOMPARE(PreviewMessage(dialog), QMimeDatabase().mimeTypeForFile(wave).comment());
    QCOMPARE(CurrentWave(), wave);
    QVERIFY(SelectInDialog(dialog, notes));
    QVERIFY(CurrentWave().isEmpty());
    QVERIFY(SelectInDialog(dialog, wave));
    QCOMPARE(CurrentWave(), wave);
    dialog.Dialog().reject();
    QVERIFY(CurrentWave().isEmpty());
  }

  void otherFilesShowTheirType() {
    TDialogOverFolder fixture;
    const QString page = fixture.Write("page.html", "<html><body>hi</body></html>");
    const QString readme = fixture.Write("README", "plain words\n");
    TOpenPreviewDialog &dialog = fixture.dialog;
    QVERIFY(fixture.Show());
    QVERIFY(SelectInDialog(dialog, page));
    QCOMPARE(PreviewMessage(dialog), QMimeDatabase().mimeTypeForFile(page).comment().trimmed());
    QVERIFY(SelectInDialog(dialog, readme));
    QCOMPARE(dialog.CurrentExtension(), QString());
    QCOMPARE(PreviewMessage(dialog), QMimeDatabase().mimeTypeForFile(readme).comment().trimmed());
    QVERIFY(PreviewMessage(dialog) != "No preview");
  }

  void customPreviewAndItsFailure() {
    TDialogOverFolder fixture;
    const QString custom = fixture.Write("level.XYZ", "data");
    TOpenPreviewDialog &dialog = fixture.dialog;
    dialog.CustomPreviewExtensions = {"xyz"};
    QString seenExt;
    dialog.OnPreview = [&](TOpenPreviewDialog &sender, const QString &ext) {
      seenExt = ext;
      sender.Dialog().findChild<QTextEdit *>("FPreviewText")->setPlainText("custom " + ext);
    };
    QVERIFY(fixture.Show());
    QVERIFY(SelectInDialog(dialog, custom));
    QCOMPARE(seenExt, QString("xyz"));
    QCOMPARE(PreviewMessage(dialog), QString("custom xyz"));

    dialog.OnPreview = [](TOpenPreviewDialog &, const QString &) { throw Exception("broken"); };
    dialog.UpdatePreview();
    QCOMPARE(PreviewMessage(dialog), QString("No preview"));
  }

  void pictureFailingWhenDrawnFallsBackToTheNoPreviewText() {
    TDialogOverFolder fixture;
    const QString broken = fixture.Write("broken.xyz", "not a picture");
    TOpenPreviewDialog &dialog = fixture.dialog;
    dialog.CustomPreviewExtensions = {"xyz"};
    dialog.OnPreview = [](TOpenPreviewDialog &sender, const QString &) {
      sender.Dialog().findChild<TPreviewImage *>("FPreviewImage")->SetPicture(std::make_unique<TUndecodablePicture>());
    };
    QVERIFY(fixture.Show());
    TUndecodablePicture::draws = 0;
    QVERIFY(SelectInDialog(dialog, broken));
    QTRY_COMPARE(PreviewMessage(dialog), QString("No preview"));
    QVERIFY(Child<QTextEdit>(dialog, "FPreviewText")->isVisible());
    QCOMPARE(TUndecodablePicture::draws, 1);
  }

  void picturePlacementArithmetic() {
    // Smaller than the control: own size, centred, whatever the scaling flags.
    QCOMPARE(PicturePlacement({200, 100}, {20, 11}, false, true, true), QRect(90, 44, 20, 11));
    // Wider than high and too wide: width fills, height truncated.
    QCOMPARE(PicturePlacement({200, 100}, {400, 100}, false, true, true), QRect(0, 25, 200, 50));
    // Wider than high, but the fitted height still overflows: height fills, width truncated.
    QCOMPARE(PicturePlacement({200, 100}, {300, 290}, false, true, true), QRect(48, 0, 103, 100));
    // Higher than wide: height fills, width truncated.
    QCOMPARE(PicturePlacement({200, 150}, {100, 400}, false, true, true), QRect(81, 0, 37, 150));
    // Higher than wide, the fitted width overflows: width fills.
    QCOMPARE(PicturePlacement({50, 300}, {290, 300}, false, true, true), QRect(0, 124, 50, 51));
    // No shrinking: the picture keeps its size and the offsets truncate toward zero.
    QCOMPARE(PicturePlacement({100, 100}, {301, 301}, false, false, true), QRect(-100, -100, 301, 301));
    // Stretching without proportion fills the control.
    QCOMPARE(PicturePlacement({100, 80}, {10, 10}, true, false, true), QRect(0, 0, 100, 80));
  }

  void largePictureShrinksOrScrolls() {
    TDialogOverFolder fixture;
    const QString big = WriteBitmap(fixture.Dir(), "BIG.BMP", 900, 700);
    const QString small = WriteBitmap(fixture.Dir(), "small.bmp", 21, 11);
    TOpenPreviewDialog &dialog = fixture.dialog;
    QVERIFY(fixture.Show());
    QVERIFY(SelectInDialog(dialog, big));
    QCOMPARE(dialog.CurrentExtension(), QString("bmp"));
    auto *image = Child<TPreviewImage>(dialog, "FPreviewImage");
    auto *box = Child<QScrollArea>(dialog, "PreviewBox");
    QVERIFY(image->isVisible());
    QCOMPARE(image->PictureSize(), QSize(900, 700));
    QVERIFY(image->Proportional());
    QTRY_COMPARE(image->size(), box->viewport()->size());
    const QRect fitted = image->PictureRect();
    QVERIFY(QRect(QPoint(0, 0), image->size()).contains(fitted));
    QCOMPARE(fitted.width(), image->width());
    QCOMPARE(Child<QToolButton>(dialog, "FWordWrapButton")->toolTip(), QString("Scale to fit"));

    QTest::mouseClick(Child<QToolButton>(dialog, "FWordWrapButton"), Qt::LeftButton);
    QVERIFY(!dialog.WordWrapAndScale());
    QVERIFY(image->AutoSize());
    QTRY_VERIFY(box->horizontalScrollBar()->maximum() > 0);
    QTRY_COMPARE(image->size(), QSize(900, 700));
    QCOMPARE(image->PictureRect(), QRect(0, 0, 900, 700));

    QVERIFY(SelectInDialog(dialog, small));
    QVERIFY(!image->AutoSize());
    QTRY_COMPARE(image->size(), box->viewport()->size());
    QCOMPARE(image->PictureRect().size(), QSize(21, 11));
    QCOMPARE(image->PictureRect().topLeft(), QPoint((image->width() - 21) / 2, (image->height() - 11) / 2));
  }

  void executeReturnsTheChosenFilesInOrder() {
    TDialogOverFolder fixture;
    const QString a = fixture.Write("a.txt", "a");
    const QString b = fixture.Write("B.TXT", "b");
    TOpenPreviewDialog &dialog = fixture.dialog;
    dialog.Filter = "Texty|*.txt|Všechny soubory|*.*";
    dialog.InitialDir = fixture.Dir();
    dialog.Options |= TOpenOption::ofAllowMultiSelect | TOpenOption::ofFileMustExist | TOpenOption::ofOldStyleDialog;
    dialog.SetTitles({"Default=Přidat soubory"});
    AnswerModal([&](QWidget *modal) {
      QVERIFY(modal == &dialog.Dialog());
      auto *edit = Child<QLineEdit>(dialog, "fileNameEdit");
      edit->setText("\"B.TXT\" \"a.txt\"");
      QTest::keyClick(edit, Qt::Key_Return);
    });
    QVERIFY(dialog.Execute());
    QCOMPARE(dialog.Files, (QStringList{b, a}));
    QCOMPARE(dialog.FileName, b);
    QVERIFY(!dialog.Options.testFlag(TOpenOption::ofOldStyleDialog));
    QVERIFY(dialog.Options.testFlag(TOpenOption::ofAllowMultiSelect));
    QCOMPARE(dialog.Dialog().windowTitle(), QString("Přidat soubory"));

    // Cancelled: false, and the previous choice stays.
    dialog.Options &= ~TOpenOptions(TOpenOption::ofAllowMultiSelect);
    AnswerModal<QDialog>([](QDialog *modal) { modal->reject(); });
    QVERIFY(!dialog.Execute());
    QCOMPARE(dialog.FileName, b);
    QVERIFY(!dialog.Options.testFlag(TOpenOption::ofOldStyleDialog));
  }
};

QTEST_MAIN(TestOpenPreview)
#include "OpenPreview_test.moc"
