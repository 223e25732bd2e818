// How long work reports its progress and learns that it is cancelled: an interface the progress window implements;
// without one, reports go nowhere.
#pragma once

#include <cstdint>
#include <string>

class TProgressSink {
public:
  virtual ~TProgressSink() = default;
  virtual void SetMessage(const std::string &text) = 0;
  virtual void SetMax(int64_t max) = 0;
  virtual void SetPosition(int64_t position) = 0;
  // Shows the sink (the window appears and repaints).
  virtual void Start() = 0;
  // True once the user asked to stop the work ("Přerušit"); the work ends with EAbort at its next report.
  virtual bool CancelRequested() { return false; }
};

// The process-wide sink, or a sink that ignores everything when none is installed.
TProgressSink &Progress();
// Installs sink (not owned); nullptr removes it.
void SetProgress(TProgressSink *sink);
// Moves the installed sink to position, then throws EAbort when the user has cancelled the work. Long work
// calls it often (every chunk) and only at points where stopping leaves nothing half done behind.
void ReportProgress(int64_t position);
