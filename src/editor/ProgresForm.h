// The small window that shows a message and a bar while the main window saves a container.
#pragma once

#include "platform/Progress.h"

#include <QDialog>

class QLabel;
class QProgressBar;

// Installed as the process-wide progress sink for the length of a save. The save does not return to the
// event loop, so every call repaints what it changed at once.
class TProgressForm : public QDialog, public TProgressSink {
public:
  explicit TProgressForm(QWidget *parent = nullptr);

  void SetMessage(const std::string &text) override;
  void SetMax(int64_t max) override;
  void SetPosition(int64_t position) override;
  // Shows the window without making it modal.
  void Start() override;
  // SetMax(max), then Start().
  void Start(int64_t max);

private:
  QLabel *Label1;
  QProgressBar *ProgressBar1;
  // QProgressBar counts in int: counts beyond its range are divided by this, positions too.
  int64_t scale = 1;
};

// The progress window is the process-wide progress sink for exactly as long as this guard exists.
class TInstalledProgress {
public:
  explicit TInstalledProgress(TProgressSink &sink) { SetProgress(&sink); }
  ~TInstalledProgress() { SetProgress(nullptr); }
  TInstalledProgress(const TInstalledProgress &) = delete;
  TInstalledProgress &operator=(const TInstalledProgress &) = delete;
};
