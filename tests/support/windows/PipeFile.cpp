// A named pipe, of a name this process alone uses; it lasts as long as its server end is open here.
#include "support/PipeFile.h"
#include "support/windows/WideText.h"

#include <stdexcept>

struct TPipeFile::TState {
  HANDLE server = INVALID_HANDLE_VALUE;
};

TPipeFile::TPipeFile(const std::string &, const std::string &name)
    : path("\\\\.\\pipe\\tovrik-test-" + std::to_string(::GetCurrentProcessId()) + "-" + name),
      state(std::make_unique<TState>()) {
  state->server = ::CreateNamedPipeW(WideText(path).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                     PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
  if (state->server == INVALID_HANDLE_VALUE)
    throw std::runtime_error("cannot make the named pipe " + path);
}

TPipeFile::~TPipeFile() { ::CloseHandle(state->server); }
