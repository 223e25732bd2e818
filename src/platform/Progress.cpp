// The process-wide progress sink and the cancellation check of long work.
#include "platform/Progress.h"

#include "platform/Exceptions.h"

namespace {
class TSilentProgress : public TProgressSink {
public:
  void SetMessage(const std::string &) override {}
  void SetMax(int64_t) override {}
  void SetPosition(int64_t) override {}
  void Start() override {}
};

TSilentProgress silent;
TProgressSink *installed = nullptr;
} // namespace

TProgressSink &Progress() { return installed ? *installed : silent; }

void SetProgress(TProgressSink *sink) { installed = sink; }

void ReportProgress(int64_t position) {
  TProgressSink &sink = Progress();
  sink.SetPosition(position);
  if (sink.CancelRequested())
    throw EAbort();
}
