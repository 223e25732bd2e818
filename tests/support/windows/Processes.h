// Starting programs with CreateProcessW, for the tests' Windows support.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

// A started program: its process handle (closed by the owner) and id.
struct TStartedProgram {
  HANDLE Process = nullptr;
  DWORD Id = 0;
};

// Starts program with arguments (UTF-8), quoted as the C runtime splits a command line again, in its own process
// group (so that Ctrl+Break reaches it alone) and in folder unless that is empty. Its stdout and stderr go to
// output and errors, its stdin reads nothing; the child inherits these handles and no other. Process is null
// when the program could not be started.
TStartedProgram StartProgram(const std::string &program, const std::vector<std::string> &arguments, HANDLE output,
                             HANDLE errors, const std::string &folder = "");

// Sends Ctrl+Break to a program StartProgram started, as its terminal would; false when no console carries the
// event (Wine has none for a program without a terminal, and cannot send it to a process group even with one).
bool SendCtrlBreak(const TStartedProgram &program);
