// How the core asks the user something: an interface the GUI implements with message boxes and tests script.
#pragma once

#include <string>

// The answers to "replace this file?" when several files are written in one go.
enum class TOverwriteAnswer { Yes, No, YesToAll, Cancel };

class TPrompt {
public:
  virtual ~TPrompt() = default;
  // An error message with an OK button.
  virtual void ShowError(const std::string &text) = 0;
  // A question with a warning icon and Yes/No buttons; true for Yes.
  virtual bool AskYesNo(const std::string &text) = 0;
  // Whether to replace an existing file, with Yes / No / Yes to all / Cancel. A prompt that offers only
  // Yes and No answers through AskYesNo.
  virtual TOverwriteAnswer AskOverwrite(const std::string &text) {
    return AskYesNo(text) ? TOverwriteAnswer::Yes : TOverwriteAnswer::No;
  }
};

// The process-wide prompt. Until one is installed, errors go to stderr and every question is answered No.
TPrompt &Prompt();
// Installs prompt (not owned) as the process-wide one; nullptr restores the default.
void SetPrompt(TPrompt *prompt);
