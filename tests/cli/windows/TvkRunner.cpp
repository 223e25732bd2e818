// Runs tvk.exe with CreateProcessW, its output captured in temporary files that go when closed.
#include "cli/TvkRunner.h"

#include "support/windows/Processes.h"

#include <psapi.h>
#include <stdexcept>

namespace {
// The exit code TerminateProcess gives a killed tvk.
constexpr UINT KilledStatus = 137;

// A new temporary file for the child's output, deleted once the last handle to it is closed.
HANDLE OutputFile() {
  wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
  if (!::GetTempPathW(MAX_PATH + 1, folder) || !::GetTempFileNameW(folder, L"tvk", 0, name))
    return INVALID_HANDLE_VALUE;
  return ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// Everything written to file, read from its start; closes it.
std::string ReadAndClose(HANDLE file) {
  std::string bytes;
  ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char buffer[65536];
  for (DWORD read = 0; ::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0;)
    bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}
} // namespace

struct TTvkProcess::TState {
  TStartedProgram program;
  HANDLE out = INVALID_HANDLE_VALUE, err = INVALID_HANDLE_VALUE;
};

TTvkProcess::TTvkProcess(const std::vector<std::string> &arguments, const std::string &folder,
                         const std::function<void()> &inChild)
    : state(std::make_unique<TState>()) {
  if (inChild)
    throw std::logic_error("a Windows child process runs no code of the test's own");
  state->out = OutputFile();
  state->err = OutputFile();
  state->program = StartProgram(std::string(TOVRIK_BIN_DIR) + "/tvk.exe", arguments, state->out, state->err, folder);
}

TTvkProcess::~TTvkProcess() {
  if (!finished)
    Finish();
}

pid_t TTvkProcess::Pid() const { return static_cast<pid_t>(state->program.Id); }

void TTvkProcess::Kill() { ::TerminateProcess(state->program.Process, KilledStatus); }

bool TTvkProcess::Interrupt() {
  if (SendCtrlBreak(state->program))
    return true;
  Kill();
  return false;
}

TTvkRun TTvkProcess::Finish() {
  TTvkRun run;
  finished = true;
  if (state->program.Process) {
    ::WaitForSingleObject(state->program.Process, INFINITE);
    DWORD status = 0;
    ::GetExitCodeProcess(state->program.Process, &status);
    run.Status = static_cast<int>(status);
    run.Killed = status == KilledStatus;
    PROCESS_MEMORY_COUNTERS memory{};
    if (::K32GetProcessMemoryInfo(state->program.Process, &memory, sizeof memory))
      run.MaxRssKiB = static_cast<long>(memory.PeakWorkingSetSize / 1024);
    ::CloseHandle(state->program.Process);
  }
  run.Out = ReadAndClose(state->out);
  run.Err = ReadAndClose(state->err);
  return run;
}
