// A prompt for tests: records every text it is shown and answers questions from queues (No once they run dry).
#pragma once

#include "platform/Prompt.h"

#include <deque>
#include <string>
#include <vector>

class TScriptedPrompt : public TPrompt {
public:
  // Installs itself as the process-wide prompt for its lifetime.
  explicit TScriptedPrompt(std::deque<bool> answers = {}) : answers(std::move(answers)) { SetPrompt(this); }
  ~TScriptedPrompt() override { SetPrompt(nullptr); }
  TScriptedPrompt(const TScriptedPrompt &) = delete;
  TScriptedPrompt &operator=(const TScriptedPrompt &) = delete;

  void ShowError(const std::string &text) override { Errors.push_back(text); }
  bool AskYesNo(const std::string &text) override {
    Questions.push_back(text);
    return Next(answers, false);
  }
  void QueueAnswer(bool yes) { answers.push_back(yes); }
  // Replace questions take their answers from a queue of their own (No once it runs dry).
  TOverwriteAnswer AskOverwrite(const std::string &text) override {
    Questions.push_back(text);
    return Next(overwriteAnswers, TOverwriteAnswer::No);
  }
  void QueueOverwriteAnswer(TOverwriteAnswer answer) { overwriteAnswers.push_back(answer); }
  // Recovery offers take theirs from a third queue (Později once it runs dry).
  TRecoveryAnswer AskRecovery(const TRecoveryOffer &offer) override {
    Offers.push_back(offer);
    return Next(recoveryAnswers, TRecoveryAnswer::Later);
  }
  void QueueRecoveryAnswer(TRecoveryAnswer answer) { recoveryAnswers.push_back(answer); }

  std::vector<std::string> Errors;
  std::vector<std::string> Questions;
  std::vector<TRecoveryOffer> Offers;

private:
  // The first answer of a queue, or dry once it runs dry.
  template <typename T> static T Next(std::deque<T> &queue, T dry) {
    if (queue.empty())
      return dry;
    const T answer = queue.front();
    queue.pop_front();
    return answer;
  }

  std::deque<bool> answers;
  std::deque<TOverwriteAnswer> overwriteAnswers;
  std::deque<TRecoveryAnswer> recoveryAnswers;
};
