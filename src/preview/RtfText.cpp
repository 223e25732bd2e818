// Rich Text Format read into a Qt text document at the level a preview needs.
#include "preview/RtfText.h"

#include "preview/AnsiText.h"

#include <QFont>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

namespace {

enum class TDestination { Text, FontTable, Skipped };

struct TGroupState {
  TDestination destination = TDestination::Text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = 24;
  int codePage = 1252;
  int unicodeSkip = 1;
  Qt::Alignment alignment = Qt::AlignLeft;
};

// Groups nested deeper than this are read as one level: hostile input must not grow the stack without bound.
constexpr std::size_t MaxGroupDepth = 256;

int CodePageOfCharset(int charset, int documentCodePage) {
  switch (charset) {
  case 238: return 1250;  // Eastern European
  case 0:
  case 1: return documentCodePage;
  default: return 1252;
  }
}

bool IsSkippedDestination(const QByteArray &word) {
  static const QList<QByteArray> skipped{"colortbl", "stylesheet", "info", "pict", "object", "header", "headerl",
                                         "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
                                         "footnote", "fldinst", "listtable", "listoverridetable", "rsidtbl",
                                         "generator", "themedata", "colorschememapping", "latentstyles",
                                         "datastore", "xmlnstbl", "filetbl", "revtbl", "pgdsctbl", "bkmkstart",
                                         "bkmkend", "shp", "nonshppict", "template", "comment", "annotation"};
  return skipped.contains(word);
}

class TRtfReader {
public:
  TRtfReader(QTextCursor &cursor, const QByteArray &rtf) : cursor(cursor), rtf(rtf), baseFormat(cursor.charFormat()) {}

  void Read() {
    while (pos < rtf.size()) {
      const char c = rtf[pos++];
      if (c == '{')
        OpenGroup();
      else if (c == '}')
        CloseGroup();
      else if (c == '\\')
        ReadControl();
      else if (c != '\r' && c != '\n')
        Byte(static_cast<unsigned char>(c));
    }
    Flush();
  }

private:
  void OpenGroup() {
    skipPending = 0;
    if (stack.size() < MaxGroupDepth)
      stack.push_back(state);
    else
      ++overflowDepth;
  }

  void CloseGroup() {
    skipPending = 0;
    if (overflowDepth > 0) {
      --overflowDepth;
    } else if (!stack.empty()) {
      state = stack.back();
      stack.pop_back();
    }
  }

  void ReadControl() {
    if (pos >= rtf.size())
      return;
    const char c = rtf[pos];
    if (!IsLetter(c)) {
      ++pos;
      ControlSymbol(c);
      return;
    }
    const qsizetype start = pos;
    while (pos < rtf.size() && IsLetter(rtf[pos]) && pos - start < 32)
      ++pos;
    const QByteArray word = rtf.mid(start, pos - start);
    bool hasParameter = false;
    long parameter = 0;
    bool negative = false;
    if (pos < rtf.size() && rtf[pos] == '-' && pos + 1 < rtf.size() && IsDigit(rtf[pos + 1])) {
      negative = true;
      ++pos;
    }
    for (int digits = 0; pos < rtf.size() && IsDigit(rtf[pos]); ++pos, ++digits)
      if (digits < 10)
        parameter = parameter * 10 + (rtf[pos] - '0');
    hasParameter = pos > start + word.size() + (negative ? 1 : 0);
    if (negative)
      parameter = -parameter;
    if (pos < rtf.size() && rtf[pos] == ' ')
      ++pos;
    ControlWord(word, hasParameter, static_cast<int>(parameter));
  }

  void ControlSymbol(char c) {
    switch (c) {
    case '\'': {
      if (pos + 2 > rtf.size()) {
        pos = rtf.size();
        return;
      }
      bool ok = false;
      const int byte = rtf.mid(pos, 2).toInt(&ok, 16);
      pos += 2;
      if (ok)
        Byte(static_cast<unsigned char>(byte));
      return;
    }
    case '*': state.destination = TDestination::Skipped; return;
    case '~': Char(QChar(0x00A0)); return;
    case '_': Char(QChar(0x2011)); return;
    case '-': return;  // optional hyphen
    case '\r':
    case '\n': Paragraph(); return;
    default: Char(QChar::fromLatin1(c)); return;  // \\, \{ and \}
    }
  }

  void ControlWord(const QByteArray &word, bool hasParameter, int parameter) {
    const bool on = !hasParameter || parameter != 0;
    if (word == "u") {
      Char(QChar(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter)));
      skipPending = state.unicodeSkip;
      return;
    }
    if (skipPending > 0) {
      --skipPending;
      return;
    }
    if (word == "fonttbl") state.destination = TDestination::FontTable;
    else if (IsSkippedDestination(word)) state.destination = TDestination::Skipped;
    else if (word == "bin") pos = std::min(rtf.size(), pos + std::max(parameter, 0));
    else if (word == "ansicpg") documentCodePage = state.codePage = parameter;
    else if (word == "f") SelectFont(parameter);
    else if (word == "fcharset") fontCodePages[definedFont] = CodePageOfCharset(parameter, documentCodePage);
    else if (word == "uc") state.unicodeSkip = std::max(parameter, 0);
    else if (word == "par" || word == "sect" || word == "page" || word == "row") Paragraph();
    else if (word == "line") Char(QChar::LineSeparator);
    else if (word == "tab" || word == "cell") Char(QChar('\t'));
    else if (word == "b") state.bold = on;
    else if (word == "i") state.italic = on;
    else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash") state.underline = on;
    else if (word == "ulnone") state.underline = false;
    else if (word == "fs") state.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, 3276) : 24;
    else if (word == "plain") ResetCharacterFormat();
    else if (word == "pard") state.alignment = Qt::AlignLeft;
    else if (word == "ql") state.alignment = Qt::AlignLeft;
    else if (word == "qc") state.alignment = Qt::AlignHCenter;
    else if (word == "qr") state.alignment = Qt::AlignRight;
    else if (word == "qj") state.alignment = Qt::AlignJustify;
    else if (word == "emdash") Char(QChar(0x2014));
    else if (word == "endash") Char(QChar(0x2013));
    else if (word == "bullet") Char(QChar(0x2022));
    else if (word == "lquote") Char(QChar(0x2018));
    else if (word == "rquote") Char(QChar(0x2019));
    else if (word == "ldblquote") Char(QChar(0x201C));
    else if (word == "rdblquote") Char(QChar(0x201D));
  }

  void SelectFont(int font) {
    if (state.destination == TDestination::FontTable) {
      definedFont = font;
      return;
    }
    state.codePage = fontCodePages.value(font, documentCodePage);
  }

  void ResetCharacterFormat() {
    state.bold = state.italic = state.underline = false;
    state.halfPoints = 24;
  }

  void Byte(unsigned char byte) {
    if (skipPending > 0) {
      --skipPending;
      return;
    }
    Char(AnsiChar(byte, state.codePage));
  }

  void Char(QChar c) {
    if (state.destination != TDestination::Text)
      return;
    const QTextCharFormat format = CurrentFormat();
    if (!run.isEmpty() && format != runFormat)
      Flush();
    if (run.isEmpty()) {
      runFormat = format;
      runAlignment = state.alignment;
    }
    run += c;
  }

  void Paragraph() {
    if (state.destination != TDestination::Text)
      return;
    Flush();
    SetBlockAlignment(state.alignment);
    cursor.insertBlock();
  }

  void Flush() {
    if (run.isEmpty())
      return;
    SetBlockAlignment(runAlignment);
    cursor.insertText(run, runFormat);
    run.clear();
  }

  void SetBlockAlignment(Qt::Alignment alignment) {
    if (cursor.blockFormat().alignment() == alignment)
      return;
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
  }

  QTextCharFormat CurrentFormat() const {
    QTextCharFormat format = baseFormat;
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontPointSize(state.halfPoints / 2.0);
    return format;
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  QTextCursor &cursor;
  const QByteArray &rtf;
  const QTextCharFormat baseFormat;
  qsizetype pos = 0;
  TGroupState state;
  std::vector<TGroupState> stack;
  std::size_t overflowDepth = 0;
  int skipPending = 0;
  int documentCodePage = 1252;
  int definedFont = 0;
  QHash<int, int> fontCodePages;
  QString run;
  QTextCharFormat runFormat;
  Qt::Alignment runAlignment = Qt::AlignLeft;
};

} // namespace

bool LooksLikeRtf(const QByteArray &bytes) { return bytes.startsWith("{\\rtf"); }

void InsertRtf(QTextCursor &cursor, const QByteArray &rtf) { TRtfReader(cursor, rtf).Read(); }
