// A command-line program's dealings with its system: its arguments, its standard streams, its terminal.
#pragma once

#include <string>
#include <vector>

// The program's arguments after its own name, as UTF-8 (Windows hands them over in UTF-16).
std::vector<std::string> ProgramArguments(int argc, char *argv[]);
// Sets the process up for a command-line program: the standard streams pass bytes as written (no line-end
// translation; a Windows console shows UTF-8), and a file size limit gives a write error instead of ending it.
void PrepareCommandLineProcess();
// True when standard error is a terminal, where a progress line may be drawn.
bool StandardErrorIsTerminal();
