// The editor in English: chosen by TOVRIK_LANG (or config.ini), its own texts, the core's messages and the help.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "config/LanguageSetting.h"
#include "editor/HelpWindow.h"
#include "editor/InterfaceLanguage.h"
#include "editor/StatusPanels.h"
#include "platform/AppFolder.h"
#include "desktop/MessagePrompt.h"

#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>

using namespace EditorDriver;

namespace {
QStringList MenuTitles(TForm1 &form) {
  QStringList titles;
  for (QAction *action : form.menuBar()->actions())
    titles << action->text();
  return titles;
}

QString ActionText(TForm1 &form, const char *name) {
  return form.findChild<QAction *>(QString::fromLatin1(name))->text();
}
} // namespace

class TInterfaceLanguageTest : public QObject {
  Q_OBJECT

private slots:
  // One process, one language: the translators are installed once, as at the program's start.
  void initTestCase() {
    TTempAppFolder folder;
    folder.WriteFile("config.ini", "[Interface]\nLanguage=cs\n");
    qputenv("TOVRIK_LANG", "en");
    QCOMPARE(InstallInterfaceLanguage(*qApp), TLanguage::English);
    QCOMPARE(TextLanguage(), TLanguage::English);
    QVERIFY2(!FindTranslationsFolder(QCoreApplication::applicationDirPath()).isEmpty(),
             "the build puts the translation beside the tests");
  }

  void TheWindowSpeaksEnglish() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    QCOMPARE(MenuTitles(form), QStringList({"&File", "&Edit", "&Settings", "&View", "&Help"}));
    QCOMPARE(ActionText(form, "Otevt1"), QStringLiteral("Open"));
    QCOMPARE(ActionText(form, "UlozitJako1"), QStringLiteral("Save as…"));
    QCOMPARE(ActionText(form, "Konec1"), QStringLiteral("Exit"));
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("Pridat"))->text(), QStringLiteral("Add"));
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("Aktualizovat"))->toolTip(),
             QStringLiteral("Replace the current entry's data with another file"));
    // The grid's word captions; the attribute captions were English already.
    QCOMPARE(ImagesGrid(form)->Cells(0, 0), QStringLiteral("Name"));
    QCOMPARE(ImagesGrid(form)->Cells(2, 0), QStringLiteral("Size"));
    QCOMPARE(ImagesGrid(form)->Cells(3, 0), QStringLiteral("Transparent"));
    QCOMPARE(StatusText(form, 0), QStringLiteral(" Image file"));

    ChooseFiles({fixture.Image("a.bmp"), fixture.Image("b.bmp")});
    Click(form, "Pridat");
    QTRY_VERIFY(StatusText(form, 2).startsWith(QStringLiteral(" 2 entries, ")));
    QCOMPARE(StatusText(form, 3), QStringLiteral(" Entry 1 of 2"));
    QCOMPARE(SizeText(1536), QStringLiteral("1.5 kB")); // a decimal point, not the Czech comma
  }

  void TheCoresMessagesAreEnglishToo() {
    TEditorFixture fixture;
    const QString empty = fixture.File(QStringLiteral("empty.tvk"), {});
    TForm1 form;
    ChooseFiles({empty});
    Trigger(form, "Otevt1");
    QCOMPARE(fixture.prompt.Errors, std::vector<std::string>{"The file is empty!"});
  }

  void TheSettingsDialogShowsTheStoredLanguageNotTheOverride() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    bool checked = false;
    WhenModal([&](QWidget *modal) {
      QCOMPARE(modal->windowTitle(), QStringLiteral("Settings"));
      QCOMPARE(modal->findChild<QGroupBox *>(QStringLiteral("RadioGroup1"))->title(),
               QStringLiteral("Compression level"));
      QCOMPARE(modal->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("Language"));
      QCOMPARE(modal->findChild<QLabel *>(QStringLiteral("Label3"))->text(),
               QStringLiteral("Takes effect at the next start."));
      // config.ini has no language: Czech, whatever TOVRIK_LANG makes of this run.
      QCOMPARE(modal->findChild<QComboBox *>(QStringLiteral("ComboBox2"))->currentText(), QStringLiteral("Čeština"));
      checked = true;
      modal->close();
    });
    Trigger(form, "Nastaven1");
    QVERIFY(checked);
    QCOMPARE(ReadLanguageSetting(), TLanguage::Czech);
    QVERIFY(TTempAppFolder::ReadFile(ConfigIniPath()).find("Interface") == std::string::npos);
  }

  void HelpShowsTheEnglishPage() {
    TEditorFixture fixture;
    TForm1 form;
    Show(form);
    Trigger(form, "Npovda2");
    auto *window = form.findChild<THelpWindow *>(QStringLiteral("HelpWindow"));
    QVERIFY(window);
    QTRY_VERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Help"));
    QCOMPARE(window->Browser().source().fileName(), QStringLiteral("index.en.html"));
    QVERIFY(window->Browser().toPlainText().contains(QStringLiteral("TovrikEditor is an editor of media containers")));
  }

  void MessageBoxesAndTheirButtonsAreEnglish() {
    TMessagePrompt prompt;
    QString title;
    AnswerModal<QMessageBox>([&](QMessageBox *box) {
      title = box->windowTitle();
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    prompt.ShowError("The file is empty!");
    QCOMPARE(title, QStringLiteral("Error"));
    QStringList buttons;
    AnswerModal<QMessageBox>([&](QMessageBox *box) {
      title = box->windowTitle();
      for (QMessageBox::StandardButton button :
           {QMessageBox::Yes, QMessageBox::No, QMessageBox::YesToAll, QMessageBox::Cancel})
        buttons << box->button(button)->text();
      QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
    });
    prompt.AskOverwrite("File a.bmp already exists.");
    QCOMPARE(title, QStringLiteral("Warning"));
    QCOMPARE(buttons, QStringList({"Yes", "No", "Yes to all", "Cancel"}));
  }

  void QtsOwnDialogsFollow() {
    // The toolkit's translation for English is loaded, so its buttons are not left in another language.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Open"));
  }
};

QTEST_MAIN(TInterfaceLanguageTest)
#include "InterfaceLanguage_test.moc"
