// Arguments from the UTF-16 command line, standard streams in binary mode with a UTF-8 console.
#include "platform/Console.h"

#include "Win32.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

std::vector<std::string> ProgramArguments(int, char *[]) {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR *given = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!given)
    return arguments;
  for (int i = 1; i < count; ++i)
    arguments.push_back(Narrow(given[i]));
  LocalFree(given);
  return arguments;
}

void PrepareCommandLineProcess() {
  // What tvk prints is the same bytes as elsewhere (a list piped into a file or a diff must not gain CRs), and a
  // console shows its UTF-8.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}
