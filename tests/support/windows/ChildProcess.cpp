// A child process through CreateProcessW, its stdout through a pipe.
#include "support/ChildProcess.h"
#include "support/windows/Processes.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {
// The exit code TerminateProcess gives a killed child.
constexpr UINT KilledStatus = 137;
} // namespace

std::string ThisProgram() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), text.data(), size, nullptr, nullptr);
  return text;
}

struct TChildProcess::TState {
  TStartedProgram program;

  // Waits for the end; the exit status.
  int Wait() {
    DWORD status = 0;
    ::WaitForSingleObject(program.Process, INFINITE);
    ::GetExitCodeProcess(program.Process, &status);
    ::CloseHandle(program.Process);
    program = {};
    return static_cast<int>(status);
  }
};

TChildProcess::TChildProcess(const std::string &program, const std::vector<std::string> &arguments)
    : state(std::make_unique<TState>()) {
  HANDLE reading = nullptr, writing = nullptr;
  if (!::CreatePipe(&reading, &writing, nullptr, 0))
    return;
  state->program = StartProgram(program, arguments, writing, ::GetStdHandle(STD_ERROR_HANDLE));
  ::CloseHandle(writing);
  lines = ::_fdopen(::_open_osfhandle(reinterpret_cast<intptr_t>(reading), _O_RDONLY | _O_BINARY), "rb");
}

TChildProcess::~TChildProcess() {
  Kill();
  if (lines)
    std::fclose(lines);
}

void TChildProcess::Kill() {
  if (!state->program.Process)
    return;
  ::TerminateProcess(state->program.Process, KilledStatus);
  state->Wait();
}

std::optional<int> TChildProcess::Interrupt() {
  if (!state->program.Process)
    return -1;
  if (!SendCtrlBreak(state->program)) {
    Kill();
    return std::nullopt;
  }
  return state->Wait();
}
