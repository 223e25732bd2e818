// Fuzz target of the RTF converter: any bytes go into a text document without a crash or a hang.
#include "preview/RtfText.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

// Fonts need a GUI application; the offscreen platform needs no display.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray rtf(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  LooksLikeRtf(rtf);
  QTextDocument document;
  QTextCursor cursor(&document);
  InsertRtf(cursor, rtf);
  document.toPlainText();
  return 0;
}
