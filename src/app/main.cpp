// The TovrikEditor program: starts the toolkit, shows the main window and runs the event loop.
#include "editor/EditorIcons.h"
#include "editor/fTovrikEditor.h"
#include "platform/qt/MessagePrompt.h"

#include <QApplication>

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TovrikEditor"));
  QApplication::setDesktopFileName(QStringLiteral("tovrikeditor"));
  QApplication::setWindowIcon(ProgramIcon());

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
