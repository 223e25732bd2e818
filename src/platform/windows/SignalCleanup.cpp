// Ctrl+C, Ctrl+Break, a closed console, a logoff or a shutdown delete the registered files, then end the process
// as they would have. Windows runs the handler on a thread of its own, so it may convert names.
#include "platform/SignalCleanup.h"

#include "Win32.h"

namespace {
BOOL WINAPI RemoveAndEnd(DWORD) {
  RemoveRegisteredFiles();
  return FALSE; // the next handler, in the end the system's own, ends the process
}
} // namespace

// A file held open by this process goes once its last handle closes, as the process ends.
void DeleteRegisteredFile(const char *path) { DeleteFileW(Wide(path).c_str()); }

void InstallSignalCleanup() { SetConsoleCtrlHandler(RemoveAndEnd, TRUE); }
