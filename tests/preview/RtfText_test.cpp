// RTF read into a text document, and the decoding of plain text files.
#include "PreviewFixtures.h"

#include "preview/AnsiText.h"
#include "preview/RtfText.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QTextDocument *ReadRtf(const QByteArray &rtf, QObject *parent) {
  auto *document = new QTextDocument(parent);
  QTextCursor cursor(document);
  InsertRtf(cursor, rtf);
  return document;
}

QTextCharFormat FormatAt(QTextDocument &document, const QString &word) {
  QTextCursor cursor(&document);
  const int at = document.toPlainText().indexOf(word);
  cursor.setPosition(at + 1);
  return cursor.charFormat();
}

} // namespace

class TestRtfText : public QObject {
  Q_OBJECT

private slots:
  void sampleDocument() {
    QTextDocument &document = *ReadRtf(PreviewFixtures::SampleRtf(), this);
    QCOMPARE(document.toPlainText(), QString("Tučný text\nkurzíva podtrženo\nvelké\tkonec\n"));
    QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(document.firstBlock().next().blockFormat().alignment(), Qt::AlignLeft);
    QCOMPARE(FormatAt(document, "Tučný").fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatAt(document, "text").fontWeight(), int(QFont::Normal));
    QVERIFY(FormatAt(document, "kurzíva").fontItalic());
    QVERIFY(!FormatAt(document, "podtrženo").fontItalic());
    QVERIFY(FormatAt(document, "podtrženo").fontUnderline());
    QCOMPARE(FormatAt(document, "velké").fontPointSize(), 20.0);
    QCOMPARE(FormatAt(document, "konec").fontPointSize(), 12.0);
  }

  void codePagesAndEscapes() {
    // Without \ansicpg the Western code page applies; a font with charset 238 reads Central European bytes.
    QCOMPARE(ReadRtf("{\\rtf1\\ansi caf\\'e9 \\{x\\} a\\\\b}", this)->toPlainText(), QString("café {x} a\\b"));
    QCOMPARE(ReadRtf("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset238 Arial;}}\\f1 \\'e8}", this)->toPlainText(),
             QString("č"));
    // \uN with its replacement characters skipped (\uc2), negative values wrap to 16 bits.
    QCOMPARE(ReadRtf("{\\rtf1\\uc2\\u8364\\'80\\'80 \\u-10179?\\'3f}", this)->toPlainText(),
             QString("€ ") + QChar(0xD83D));
  }

  void skippedDestinations() {
    const QByteArray rtf = "{\\rtf1{\\info{\\title Hidden}}{\\*\\unknown secret}{\\pict 0123abcd}"
                           "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}\\bin3 {}}end}";
    QCOMPARE(ReadRtf(rtf, this)->toPlainText(), QString("shownend"));
  }

  void malformedInputIsTolerated() {
    QCOMPARE(ReadRtf("}}}{\\rtf1 ok\\'4", this)->toPlainText(), QString("ok"));
    QCOMPARE(ReadRtf(QByteArray(200000, '{') + "deep" + QByteArray(200000, '}'), this)->toPlainText(),
             QString("deep"));
    QCOMPARE(ReadRtf("{\\rtf1\\fs99999999999999 big\\bin999999999}", this)->toPlainText(), QString("big"));
    QVERIFY(LooksLikeRtf("{\\rtf1 x}"));
    QVERIFY(!LooksLikeRtf("plain {\\rtf1"));
  }

  void plainTextFiles() {
    QCOMPARE(DecodeTextFile("\xef\xbb\xbf\xc5\xbelu\xc5\xa5"), QString("žluť"));
    QCOMPARE(DecodeTextFile("\x9e\x6c\x75\x9d"), QString("žluť"));
    QCOMPARE(DecodeAnsi("\x80\x8a\xe8", 1252), QString("€Šè"));
    QCOMPARE(DecodeAnsi("\x80\x8a\xe8", 1250), QString("€Šč"));
  }
};

int RunRtfTextTests(int argc, char **argv) {
  TestRtfText test;
  return QTest::qExec(&test, argc, argv);
}

#include "RtfText_test.moc"
