// Starting programs with CreateProcessW: the command line quoted for the C runtime, only the given handles inherited.
#include "support/windows/Processes.h"
#include "support/windows/WideText.h"

namespace {
// An argument as CommandLineToArgvW and the C runtime read it back: quoted when it holds a space, a tab or a
// quote, a quote escaped by a backslash, and backslashes before a quote doubled.
std::wstring Quoted(const std::wstring &argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  for (auto it = argument.begin();; ++it) {
    std::size_t backslashes = 0;
    for (; it != argument.end() && *it == L'\\'; ++it)
      ++backslashes;
    if (it == argument.end()) {
      quoted.append(backslashes * 2, L'\\');
      break;
    }
    quoted.append(*it == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    quoted.push_back(*it);
  }
  return quoted + L"\"";
}

// The null device, inheritable: the child's stdin, and its stdout or stderr where this process has none.
HANDLE NullDevice(DWORD access) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  return ::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
}

bool Usable(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
} // namespace

TStartedProgram StartProgram(const std::string &program, const std::vector<std::string> &arguments, HANDLE output,
                             HANDLE errors, const std::string &folder) {
  std::wstring commandLine = Quoted(WideText(program));
  for (const std::string &argument : arguments)
    commandLine += L" " + Quoted(WideText(argument));
  const HANDLE input = NullDevice(GENERIC_READ);
  const HANDLE nowhere = Usable(output) && Usable(errors) ? nullptr : NullDevice(GENERIC_WRITE);
  output = Usable(output) ? output : nowhere;
  errors = Usable(errors) ? errors : nowhere;
  for (const HANDLE handle : {output, errors})
    ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);

  // Only these handles go to the child: a pipe of another child inherited here would never report its end.
  HANDLE inherited[3] = {input, output, errors};
  const DWORD count = output == errors ? 2 : 3;
  SIZE_T size = 0;
  ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::vector<char> attributes(size);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input;
  startup.StartupInfo.hStdOutput = output;
  startup.StartupInfo.hStdError = errors;
  startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
  DWORD flags = CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT;
  if (::InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &size) &&
      ::UpdateProcThreadAttribute(startup.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                  count * sizeof(HANDLE), nullptr, nullptr))
    flags |= EXTENDED_STARTUPINFO_PRESENT;

  PROCESS_INFORMATION started{};
  const std::wstring wideFolder = WideText(folder);
  const BOOL ok = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                   folder.empty() ? nullptr : wideFolder.c_str(), &startup.StartupInfo, &started);
  if (flags & EXTENDED_STARTUPINFO_PRESENT)
    ::DeleteProcThreadAttributeList(startup.lpAttributeList);
  ::CloseHandle(input);
  if (nowhere)
    ::CloseHandle(nowhere);
  if (!ok)
    return {};
  ::CloseHandle(started.hThread);
  return {started.hProcess, started.dwProcessId};
}

bool SendCtrlBreak(const TStartedProgram &program) {
  return ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, program.Id) != 0;
}
