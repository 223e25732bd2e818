// Choosing a localised text by language, and the language identifier of a locale.
#include "desktop/Language.h"
#include "preview/LocalizedList.h"

#include <QTest>

class TestLocalizedList : public QObject {
  Q_OBJECT

private slots:
  void fallbackOrder() {
    const QStringList list{"first", "Default=D", "0009=English", "0409=US", "0809=UK"};
    QCOMPARE(LocalizedText(list, "0809", "0009"), QString("UK"));
    QCOMPARE(LocalizedText(list, "0C09", "0009"), QString("English"));
    QCOMPARE(LocalizedText(list, "0405", "0005"), QString("D"));
    // An entry without "=" has no key; without a Default the first entry counts, its text empty.
    QCOMPARE(LocalizedText({"first", "0007=x"}, "0405", "0005"), QString());
    QCOMPARE(LocalizedText({"0007=x=y", "0009=e"}, "0405", "0005"), QString("x=y"));
    QCOMPARE(LocalizedText({}, "0405", "0005"), QString());
  }

  void keysIgnoreCaseAndTheFirstDuplicateCounts() {
    QCOMPARE(LocalizedText({"default=a", "DEFAULT=b"}, "0405", "0005"), QString("a"));
    QCOMPARE(LocalizedText({"Default=a", "040c=fr"}, "040C", "000C"), QString("fr"));
  }

  void replacingTheDefaultEntry() {
    const QStringList czech = WithLocalizedEntry(DefaultNoPreviewTexts(), "Default", "Náhled není k dispozici");
    QCOMPARE(czech.first(), QString("Default=Náhled není k dispozici"));
    QCOMPARE(czech.size(), 11);
    QCOMPARE(WithLocalizedEntry({"0009=e"}, "Default", "d"), (QStringList{"0009=e", "Default=d"}));
  }

  void builtInListsInTheirOrder() {
    const QStringList keys{"Default", "0006", "0007", "0009", "000C", "0013",
                           "0406",    "0407", "0409", "040C", "0413"};
    for (const QStringList &list : {DefaultNoPreviewTexts(), DefaultPreviewCaptions(), DefaultScaleHints(),
                                    DefaultWordWrapHints(), DefaultShowPreviewButtonHints()}) {
      QCOMPARE(list.size(), keys.size());
      for (int i = 0; i < keys.size(); ++i)
        QVERIFY(list[i].startsWith(keys[i] + "="));
    }
    QCOMPARE(LocalizedText(DefaultScaleHints(), "0407", "0007"), QString("Größe anpassen"));
    QCOMPARE(LocalizedText(DefaultNoPreviewTexts(), "040C", "000C"), QString("Rien de montrer"));
    QCOMPARE(LocalizedText(DefaultWordWrapHints(), "0813", "0013"), QString("Regels afbreken"));
  }

  void languageIdsOfLocales() {
    QCOMPARE(WindowsLanguageId(QLocale("cs_CZ")), 0x0405);
    QCOMPARE(WindowsLanguageId(QLocale("en_GB")), 0x0809);
    QCOMPARE(WindowsLanguageId(QLocale("en_US")), 0x0409);
    QCOMPARE(WindowsLanguageId(QLocale("de_DE")), 0x0407);
    QCOMPARE(WindowsLanguageId(QLocale("da_DK")), 0x0406);
    QCOMPARE(WindowsLanguageId(QLocale("fr_FR")), 0x040C);
    QCOMPARE(WindowsLanguageId(QLocale("nl_NL")), 0x0413);
    QCOMPARE(WindowsLanguageId(QLocale("de_LI")), 0x0007);
    QCOMPARE(WindowsLanguageId(QLocale::c()), 0x0000);
    QCOMPARE(LanguageIdText(0x040C), QString("040C"));
    QCOMPARE(PrimaryLanguageId("0809"), QString("0009"));
    QCOMPARE(PrimaryLanguageId("0C0A"), QString("000A"));
  }
};

int RunLocalizedListTests(int argc, char **argv) {
  TestLocalizedList test;
  return QTest::qExec(&test, argc, argv);
}

#include "LocalizedList_test.moc"
