// The settings dialog driven as a user would: typing extensions, Enter, the buttons, the level and both ways of closing.
#include "config/ConversionSettings.h"
#include "config/ExtList.h"
#include "config/LanguageSetting.h"
#include "editor/fConfig.h"
#include "platform/AppFolder.h"
#include "support/ModalAnswer.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace {
QStringList Shown(QListWidget *list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i)
    texts << list->item(i)->text();
  return texts;
}

QString Selected(QListWidget *list) {
  const QList<QListWidgetItem *> items = list->selectedItems();
  return items.isEmpty() ? QString() : items.front()->text();
}

// Runs the dialog on the two lists; actions drives it once it is up, then the test closes it.
void RunDialog(TExtList &images, TExtList &sounds, const std::function<void(TConfigForm &)> &actions) {
  TConfigForm form;
  bool ran = false;
  AnswerModal([&](QWidget *modal) {
    QVERIFY(modal == &form);
    actions(form);
    ran = true;
    if (form.isVisible())
      form.close();
  });
  form.ShowSettings(images, sounds);
  QVERIFY(ran);
}

template <typename T> T *Find(TConfigForm &form, const char *name) {
  T *widget = form.findChild<T *>(QString::fromLatin1(name));
  if (!widget)
    qFatal("no widget %s", name);
  return widget;
}

void Type(TConfigForm &form, const QString &text) {
  QLineEdit *edit = Find<QLineEdit>(form, "Edit1");
  edit->setFocus();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}
} // namespace

class TConfigFormTest : public QObject {
  Q_OBJECT

private slots:
  void RemoveWithNothingSelectedSaysTheListIsEmpty() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    images.Add(".BMP");
    images.Add(".JPG");
    sounds.Add(".WAV");
    RunDialog(images, sounds, [&](TConfigForm &form) {
      QCOMPARE(Shown(Find<QListWidget>(form, "ListBox1")), QStringList({".BMP", ".JPG"}));
      QTest::mouseClick(Find<QPushButton>(form, "Button2"), Qt::LeftButton);
      QCOMPARE(prompt.Errors, std::vector<std::string>{"Seznam je prázdný!"});
      QCOMPARE(images.Count(), 2);

      Find<QComboBox>(form, "ComboBox1")->setCurrentIndex(1);
      QListWidget *list = Find<QListWidget>(form, "ListBox1");
      QCOMPARE(Shown(list), QStringList({".WAV"}));
      QCOMPARE(Selected(list), QStringLiteral(".WAV"));
      QTest::mouseClick(Find<QPushButton>(form, "Button2"), Qt::LeftButton);
      QCOMPARE(sounds.Count(), 0);
      QVERIFY(Selected(list).isEmpty());
    });
    QCOMPARE(prompt.Errors.size(), size_t(1));
  }

  void EnterAddsTheTypedTextInUpperCaseWithItsDot() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    images.Add(".PNG");
    RunDialog(images, sounds, [&](TConfigForm &form) {
      Type(form, QStringLiteral("bmp"));
      QListWidget *list = Find<QListWidget>(form, "ListBox1");
      QCOMPARE(Shown(list), QStringList({".BMP", ".PNG"}));
      QCOMPARE(Selected(list), QStringLiteral(".BMP"));
      QVERIFY(Find<QLineEdit>(form, "Edit1")->text().isEmpty());
      // Without its dot a typed "png" is the extension already listed.
      Type(form, QStringLiteral("png"));
      QCOMPARE(Selected(list), QStringLiteral(".PNG"));
      // Five letters and the dot would not fit an extension: refused, not cut.
      Type(form, QStringLiteral("jpeg5"));
      QCOMPARE(Shown(list), QStringList({".BMP", ".PNG"}));
      QVERIFY(form.isVisible());
    });
    QCOMPARE(images.Count(), 2);
    QCOMPARE(images.Items()[1].Text(), std::string(".BMP"));
    QCOMPARE(prompt.Errors, (std::vector<std::string>{"Seznam již tuto příponu obsahuje!",
                                                      "Přípona může mít nejvýše 4 znaky za tečkou!"}));
  }

  void ADuplicateIsReportedAndSelected() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    images.Add(".BMP");
    images.Add(".GIF");
    RunDialog(images, sounds, [&](TConfigForm &form) {
      Type(form, QStringLiteral(".bmp"));
      QCOMPARE(prompt.Errors, std::vector<std::string>{"Seznam již tuto příponu obsahuje!"});
      QCOMPARE(Selected(Find<QListWidget>(form, "ListBox1")), QStringLiteral(".BMP"));
      QVERIFY(Find<QLineEdit>(form, "Edit1")->text().isEmpty());
    });
    QCOMPARE(images.Count(), 2);
  }

  void AnEmptyTextIsRefused() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    RunDialog(images, sounds, [&](TConfigForm &form) {
      QTest::mouseClick(Find<QPushButton>(form, "Button1"), Qt::LeftButton);
      Type(form, QString());
    });
    QCOMPARE(prompt.Errors, std::vector<std::string>(2, "Nelze vložit prázdný řetězec!"));
    QCOMPARE(images.Count(), 0);
  }

  void TheEditBoxTakesFiveCharacters() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    RunDialog(images, sounds, [&](TConfigForm &form) { Type(form, QStringLiteral(".jpegx")); });
    QCOMPARE(images.Count(), 1);
    QCOMPARE(images.Items()[0].Text(), std::string(".JPEG"));
  }

  void KonecWritesBothListsAndTheLevelInOrder() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    RunDialog(images, sounds, [&](TConfigForm &form) {
      QVERIFY(Find<QRadioButton>(form, "Level2")->isChecked());
      Type(form, QStringLiteral(".bmp"));
      Find<QComboBox>(form, "ComboBox1")->setCurrentIndex(1);
      Type(form, QStringLiteral(".wav"));
      QTest::mouseClick(Find<QRadioButton>(form, "Level3"), Qt::LeftButton);
      QTest::mouseClick(Find<QPushButton>(form, "Button3"), Qt::LeftButton);
      QVERIFY(!form.isVisible());
    });
    QCOMPARE(QString::fromStdString(TTempAppFolder::ReadFile(ConfigIniPath())).remove(QLatin1Char('\r')),
             QStringLiteral("[ImageFileExts]\nCount=1\nExt0=.BMP\n\n"
                            "[SoundFileExts]\nCount=1\nExt0=.WAV\n\n"
                            "[Zip]\nCompressionLevel=3\n"));
    QCOMPARE(ReadCompressionLevel(), 3);
  }

  void TheCloseBoxSavesAsKonecDoes() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    folder.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.PNG\n[Zip]\nCompressionLevel=0\n");
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    images.LoadFromIni();
    sounds.LoadFromIni();
    RunDialog(images, sounds, [&](TConfigForm &form) {
      QVERIFY(Find<QRadioButton>(form, "Level0")->isChecked());
      QTest::mouseClick(Find<QRadioButton>(form, "Level1"), Qt::LeftButton);
      form.close();
    });
    TExtList reread("ImageFileExts");
    reread.LoadFromIni();
    QCOMPARE(reread.Count(), 1);
    QCOMPARE(reread.Items()[0].Text(), std::string(".PNG"));
    QCOMPARE(ReadCompressionLevel(), 1);
    QVERIFY(TTempAppFolder::ReadFile(ConfigIniPath()).find("[SoundFileExts]") != std::string::npos);
  }

  void AConfigFileThatCannotBeWrittenIsReportedAndTheDialogStillCloses() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    // config.ini is a link into /proc, where no one can create the file that would replace it, not even root.
    std::filesystem::create_symlink("/proc/version", folder.Path() / "config.ini");
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    bool closed = false;
    RunDialog(images, sounds, [&](TConfigForm &form) {
      Type(form, QStringLiteral(".bmp"));
      QTest::mouseClick(Find<QPushButton>(form, "Button3"), Qt::LeftButton);
      closed = !form.isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(prompt.Errors.size(), size_t(1));
    QVERIFY2(QString::fromStdString(prompt.Errors[0]).startsWith(QStringLiteral("Unable to write to")),
             prompt.Errors[0].c_str());
    QCOMPARE(images.Count(), 1);
  }

  // Every level outside 0-3 shows as normal, the level saves use for it, and is written back valid.
  void ALevelOutOfRangeShowsAsNormalAndIsWrittenValid() {
    for (const char *level : {"9", "-1", "text"}) {
      TTempAppFolder folder;
      TScriptedPrompt prompt;
      folder.WriteFile("config.ini", std::string("[Zip]\nCompressionLevel=") + level + "\n");
      TExtList images("ImageFileExts"), sounds("SoundFileExts");
      RunDialog(images, sounds,
                [&](TConfigForm &form) { QVERIFY(Find<QRadioButton>(form, "Level2")->isChecked()); });
      QCOMPARE(ReadCompressionLevel(), 2);
    }
  }

  void TheLanguageIsChosenBelowTheOtherControlsAndStoredForTheNextStart() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    qputenv("TOVRIK_LANG", "en"); // this run's override is not what the dialog shows or stores
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    RunDialog(images, sounds, [&](TConfigForm &form) {
      QCOMPARE(Find<QLabel>(form, "Label2")->text(), QStringLiteral("Jazyk"));
      QCOMPARE(Find<QLabel>(form, "Label3")->text(), QStringLiteral("Projeví se při příštím spuštění."));
      QComboBox *language = Find<QComboBox>(form, "ComboBox2");
      QCOMPARE(language->currentText(), QStringLiteral("Čeština"));
      QCOMPARE(language->count(), 2);
      QVERIFY(language->geometry().top() >= Find<QWidget>(form, "RadioGroup1")->geometry().bottom());
      QVERIFY(form.rect().contains(Find<QLabel>(form, "Label3")->geometry()));
      // The arrow keys choose, as in every drop-down list.
      language->setFocus();
      QTest::keyClick(language, Qt::Key_Down);
      QCOMPARE(language->currentText(), QStringLiteral("English"));
    });
    qunsetenv("TOVRIK_LANG");
    QCOMPARE(ReadLanguageSetting(), TLanguage::English);
    RunDialog(images, sounds, [&](TConfigForm &form) {
      QComboBox *language = Find<QComboBox>(form, "ComboBox2");
      QCOMPARE(language->currentText(), QStringLiteral("English"));
      language->setCurrentIndex(0);
    });
    QCOMPARE(ReadLanguageSetting(), TLanguage::Czech);
    QVERIFY(prompt.Errors.empty());
  }

  void ConversionIsSwitchedPerGroupWithItsFormatsShownAndStored() {
    TTempAppFolder folder;
    TScriptedPrompt prompt;
    TExtList images("ImageFileExts"), sounds("SoundFileExts");
    RunDialog(images, sounds, [&](TConfigForm &form) {
      QCheckBox *convert = Find<QCheckBox>(form, "CheckBox1");
      QCOMPARE(convert->text(), QStringLiteral("Převádět při přidání"));
      QVERIFY(convert->isChecked());
      QCOMPARE(Find<QLabel>(form, "Label5")->text(), QStringLiteral(".PNG, .GIF, .WEBP, .TGA → .BMP"));
      QVERIFY(Find<QComboBox>(form, "ComboBox3")->isHidden());
      convert->setFocus();
      QTest::keyClick(convert, Qt::Key_Space);
      QVERIFY(!convert->isChecked());
      Find<QComboBox>(form, "ComboBox1")->setCurrentIndex(1);
      QVERIFY2(convert->isChecked(), "the sounds keep their own switch");
      QCOMPARE(Find<QLabel>(form, "Label5")->text(), QStringLiteral(".OGG, .OGA, .OPUS, .FLAC, .MP3 → .WAV"));
      QComboBox *rate = Find<QComboBox>(form, "ComboBox3");
      QVERIFY(rate->isVisible());
      QCOMPARE(rate->currentText(), QStringLiteral("beze změny"));
      rate->setFocus();
      QTest::keyClick(rate, Qt::Key_Down);
      QTest::keyClick(rate, Qt::Key_Down);
      QCOMPARE(rate->currentText(), QStringLiteral("22050 Hz"));
      QVERIFY(form.rect().contains(Find<QPushButton>(form, "Button3")->geometry()));
    });
    const TConversionSettings stored = ReadConversionSettings();
    QVERIFY(!stored.Pictures);
    QVERIFY(stored.Sounds);
    QCOMPARE(stored.SampleRate, 22050);
  }
};

QTEST_MAIN(TConfigFormTest)
#include "fConfig_test.moc"
