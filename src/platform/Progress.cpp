// The process-wide progress sink.
#include "platform/Progress.h"

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
