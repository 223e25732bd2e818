// A progress sink for tests: records every call and, when told to, asks to cancel once a message has
// reached a position.
#pragma once

#include "platform/Progress.h"

#include <string>
#include <vector>

class TScriptedProgress : public TProgressSink {
public:
  // Installs itself as the process-wide progress sink for its lifetime.
  TScriptedProgress() { SetProgress(this); }
  ~TScriptedProgress() override { SetProgress(nullptr); }
  TScriptedProgress(const TScriptedProgress &) = delete;
  TScriptedProgress &operator=(const TScriptedProgress &) = delete;

  void SetMessage(const std::string &text) override {
    message = text;
    Calls.push_back("message " + text);
  }
  void SetMax(int64_t max) override { Calls.push_back("max " + std::to_string(max)); }
  void SetPosition(int64_t position) override {
    Calls.push_back("position " + std::to_string(position));
    if (!cancelMessage.empty() && message == cancelMessage && position >= cancelPosition)
      cancelled = true;
  }
  void Start() override { Calls.push_back("start"); }
  bool CancelRequested() override { return cancelled; }

  // The user presses "Přerušit" once text is shown with at least position.
  void CancelAt(const std::string &text, int64_t position) {
    cancelMessage = text;
    cancelPosition = position;
  }

  std::vector<std::string> Calls;

private:
  std::string message;
  std::string cancelMessage;
  int64_t cancelPosition = 0;
  bool cancelled = false;
};
