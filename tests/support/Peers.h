// The peer programs tests check our archives against (unzip, zip, 7z, python3): which of them are missing.
#pragma once

#include <initializer_list>
#include <string>

// The programs of the list that are not on PATH, comma-separated; empty when all are there. Tests skip with
// this text as the reason, so a machine without a peer reports what to install instead of failing. The tests
// drive the peers through POSIX shell command lines: where std::system runs no such shell, that is missing too.
std::string MissingPeers(std::initializer_list<std::string> programs);
