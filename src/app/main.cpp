// The TovrikEditor program: starts the toolkit, shows the main window and runs the event loop.
#include "editor/EditorIcons.h"
#include "editor/fTovrikEditor.h"
#include "platform/qt/MessagePrompt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TovrikEditor"));
  QApplication::setDesktopFileName(QStringLiteral("tovrikeditor"));
  QApplication::setWindowIcon(ProgramIcon());
  // The program speaks Czech, so the toolkit's own dialogs and buttons do too, where the translation is installed.
  QTranslator toolkitTexts;
  if (toolkitTexts.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&toolkitTexts);

  TMessagePrompt prompt;
  SetPrompt(&prompt);
  int result = 0;
  {
    TForm1 window(app.arguments().mid(1));
    window.show();
    result = QApplication::exec();
  }
  SetPrompt(nullptr);
  return result;
}
