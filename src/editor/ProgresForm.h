// The small window that shows a message, a bar and "Přerušit" while the main window saves or opens a container.
#pragma once

#include "platform/Progress.h"

#include <QDialog>
#include <QElapsedTimer>

#include <chrono>

class QLabel;
class QProgressBar;
class QPushButton;

// Installed as the process-wide progress sink for the length of a save or an open. The work runs on this
// thread without returning to the event loop, so the window repaints itself and, a few times a second, lets
// the event loop run: being application-modal, it alone takes the user's input then. "Přerušit", Esc and the
// close box all ask the work to stop; the work ends at its next report.
class TProgressForm : public QDialog, public TProgressSink {
public:
  explicit TProgressForm(QWidget *parent = nullptr);

  void SetMessage(const std::string &text) override;
  void SetMax(int64_t max) override;
  void SetPosition(int64_t position) override;
  // The window appears once the work (counted from the window's construction) has lasted ShowDelay().
  void Start() override;
  // SetMax(max), then Start().
  void Start(int64_t max);
  bool CancelRequested() override { return cancelRequested; }

  // How long work runs before the window shows: quick saves and opens do not flash a window.
  static std::chrono::milliseconds ShowDelay();
  static void SetShowDelay(std::chrono::milliseconds delay);

protected:
  void reject() override;
  void closeEvent(QCloseEvent *event) override;

private:
  void RequestCancel();
  // Shows the window when it is due, repaints and takes pending events, at most every few dozen milliseconds.
  void Pump(bool force);

  QLabel *Label1;
  QProgressBar *ProgressBar1;
  QPushButton *Peruit1; // "Přerušit"
  // QProgressBar counts in int: counts beyond its range are divided by this, positions too.
  int64_t scale = 1;
  bool cancelRequested = false;
  QElapsedTimer started;
  QElapsedTimer sincePump;
};

// The progress window is the process-wide progress sink for exactly as long as this guard exists.
class TInstalledProgress {
public:
  explicit TInstalledProgress(TProgressSink &sink) { SetProgress(&sink); }
  ~TInstalledProgress() { SetProgress(nullptr); }
  TInstalledProgress(const TInstalledProgress &) = delete;
  TInstalledProgress &operator=(const TInstalledProgress &) = delete;
};
