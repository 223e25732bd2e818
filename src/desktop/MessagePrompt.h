// The desktop answer to the core's questions: message boxes with an error icon and OK, or a warning icon and Yes/No.
#pragma once

#include "platform/Prompt.h"

class QWidget;

class TMessagePrompt : public TPrompt {
public:
  // parent is the window the boxes are centred on (not owned); nullptr uses the active window.
  explicit TMessagePrompt(QWidget *parent = nullptr) : parent(parent) {}

  // The window the boxes are centred on from now on, while it is shown (not owned).
  void SetOwner(QWidget *window) { parent = window; }

  void ShowError(const std::string &text) override;
  bool AskYesNo(const std::string &text) override;
  // Ano / Ne / Ano všem / Zrušit, with Ne as the default.
  TOverwriteAnswer AskOverwrite(const std::string &text) override;
  // "Obnovit neuložené změny?" naming the document, its last change and its entry count; Obnovit / Zahodit /
  // Později, with Obnovit as the default and Escape for Později.
  TRecoveryAnswer AskRecovery(const TRecoveryOffer &offer) override;

private:
  QWidget *Owner() const;
  QWidget *parent;
};
