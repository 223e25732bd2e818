// How the core asks the user something: an interface the GUI implements with message boxes and tests script.
#pragma once

#include <cstdint>
#include <string>

// The answers to "replace this file?" when several files are written in one go.
enum class TOverwriteAnswer { Yes, No, YesToAll, Cancel };

// Unsaved work an editor left behind when it died: its document's file (empty for a new document), the time of
// its last change (ns since 1970) and its number of entries.
struct TRecoveryOffer {
  std::string DocumentPath;
  int64_t LastChangeNs = 0;
  int EntryCount = 0;
};
// Obnovit, Zahodit, Později.
enum class TRecoveryAnswer { Restore, Discard, Later };

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
  // Whether to restore the unsaved work offered. A prompt without a window keeps it for later.
  virtual TRecoveryAnswer AskRecovery(const TRecoveryOffer &) { return TRecoveryAnswer::Later; }
};

// The process-wide prompt. Until one is installed, errors go to stderr and every question is answered No.
TPrompt &Prompt();
// Installs prompt (not owned) as the process-wide one; nullptr restores the default.
void SetPrompt(TPrompt *prompt);
