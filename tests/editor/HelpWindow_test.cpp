// Help inside the program: the page found beside the program whatever TOVRIK_HOME says, links followed within it.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "editor/HelpWindow.h"

#include <QScrollBar>
#include <QTextBrowser>

using namespace EditorDriver;

class THelpWindowTest : public QObject {
  Q_OBJECT

private slots:
  void HelpOpensInsideTheProgramWithTheAppFolderElsewhere() {
    TEditorFixture fixture; // TOVRIK_HOME is a temporary folder without any help
    TForm1 form;
    Show(form);
    Trigger(form, "Npovda2");
    QVERIFY(fixture.prompt.Errors.empty());
    auto *window = form.findChild<THelpWindow *>(QStringLiteral("HelpWindow"));
    QVERIFY(window);
    QTRY_VERIFY(window->isVisible());
    QTextBrowser &browser = window->Browser();
    QVERIFY(browser.toPlainText().contains(QStringLiteral("TovrikEditor je editor kontejnerů")));

    // A link within the page moves down the page, in the same window.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    browser.setFocus();
    const int before = browser.verticalScrollBar()->value();
    QTest::keyClick(&browser, Qt::Key_Tab); // the first link: "Kontejner"
    QTest::keyClick(&browser, Qt::Key_Return);
    QTRY_VERIFY(browser.verticalScrollBar()->value() > before);
    QCOMPARE(browser.source().fileName(), QStringLiteral("index.html"));

    // A second Help brings the same window forward.
    Trigger(form, "Npovda2");
    QCOMPARE(form.findChildren<QWidget *>(QStringLiteral("HelpWindow")).size(), 1);
  }

  void ThePageIsLookedUpBesideTheProgramAndInTheShareFolder() {
    TTempAppFolder folder;
    const std::filesystem::path root = folder.Path();
    const QString bin = QString::fromStdString((root / "bin").string());
    QDir().mkpath(bin);
    QCOMPARE(FindHelpPage(bin), QString());
    folder.WriteFile("share/tovrikeditor/help/index.html", "<p>share</p>");
    QCOMPARE(FindHelpPage(bin), QString::fromStdString((root / "share/tovrikeditor/help/index.html").string()));
    folder.WriteFile("bin/help/index.html", "<p>beside</p>");
    QCOMPARE(FindHelpPage(bin), QString::fromStdString((root / "bin/help/index.html").string()));
  }

  void AMissingPageIsReported() {
    TEditorFixture fixture;
    TForm1 form;
    const QString page = FindHelpPage(QCoreApplication::applicationDirPath());
    QVERIFY2(!page.isEmpty(), "the build puts the page beside the tests");
    const QString aside = page + QStringLiteral(".aside");
    QVERIFY(QFile::rename(page, aside));
    Trigger(form, "Npovda2");
    QFile::rename(aside, page);
    QCOMPARE(fixture.prompt.Errors, std::vector<std::string>{"Nenalezen soubor s nápovědou!"});
  }
};

QTEST_MAIN(THelpWindowTest)
#include "HelpWindow_test.moc"
