// The process-wide prompt and its fallback for programs without a window.
#include "platform/Prompt.h"

#include <iostream>

namespace {
class TConsolePrompt : public TPrompt {
public:
  void ShowError(const std::string &text) override { std::cerr << text << '\n'; }
  bool AskYesNo(const std::string &text) override {
    std::cerr << text << '\n';
    return false;
  }
};

TConsolePrompt consolePrompt;
TPrompt *installed = nullptr;
} // namespace

TPrompt &Prompt() { return installed ? *installed : consolePrompt; }

void SetPrompt(TPrompt *prompt) { installed = prompt; }
