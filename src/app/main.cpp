// The TovrikEditor program: starts the toolkit, shows the main window and runs the event loop.
#include "config/DefaultConfig.h"
#include "editor/EditorIcons.h"
#include "editor/InterfaceLanguage.h"
#include "editor/fTovrikEditor.h"
#include "platform/AppFolder.h"
#include "platform/SignalCleanup.h"
#include "desktop/MessagePrompt.h"

#include <QApplication>
#include <QTimer>

#include <csignal>

int main(int argc, char *argv[]) {
  // A save that meets a file size limit reports "File too large" instead of killing the program, and one
  // ended by SIGINT, SIGTERM or SIGHUP takes its temporary files (and the backing file) with it.
  std::signal(SIGXFSZ, SIG_IGN);
  InstallSignalCleanup();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TovrikEditor"));
  QApplication::setDesktopFileName(QStringLiteral("tovrikeditor"));
  QApplication::setWindowIcon(ProgramIcon());
  // An installed program's first start takes the shipped lists; a build tree has its config.ini beside the program.
  InstallDefaultConfig(ShippedConfigIniPath());
  // Czech unless config.ini or TOVRIK_LANG chooses English; the toolkit's own dialogs follow either way.
  InstallInterfaceLanguage(app);

  TMessagePrompt prompt;
  SetPrompt(&prompt);
  int result = 0;
  {
    TForm1 window(app.arguments().mid(1));
    window.show();
    // Message boxes are centred on the main window, whichever window happens to be active.
    prompt.SetOwner(&window);
    // What an editor that died left unsaved is offered once the window is there.
    QTimer::singleShot(0, &window, &TForm1::OfferRecoveryAtStart);
    result = QApplication::exec();
  }
  SetPrompt(nullptr);
  return result;
}
