// The editor's start on a container, as a process: the toolkit, the window with its rows filled, one round of
// painting, then out. bench/scale.sh times it from start to exit; the program's own main() differs only in
// running the event loop after the window is shown.
#include "editor/fTovrikEditor.h"
#include "media/MediaDocument.h"
#include "platform/Prompt.h"

#include <QApplication>

#include <iostream>
#include <stdexcept>

namespace {
// An error ends the run with its text rather than waiting for a click nobody makes.
class TFailingPrompt : public TPrompt {
public:
  void ShowError(const std::string &text) override { throw std::runtime_error(text); }
  bool AskYesNo(const std::string &) override { return true; }
};
} // namespace

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: window_start CONTAINER.tvk\n";
    return 2;
  }
  TFailingPrompt prompt;
  SetPrompt(&prompt);
  int rows = 0;
  {
    TForm1 window(QApplication::arguments().mid(1));
    window.show();
    QCoreApplication::processEvents();
    rows = window.Document().List.Count();
  }
  SetPrompt(nullptr);
  std::cout << rows << " rows\n";
  return rows > 0 ? 0 : 1;
}
