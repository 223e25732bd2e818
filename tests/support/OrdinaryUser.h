// Runs a check as an ordinary user: root ignores file permissions, so under root the check runs in a child
// process that has given root up for "nobody"; any other user runs it in place, unchanged.
#pragma once

#include <filesystem>
#include <functional>

// Runs check, whose files live in folder, without root's privileges. Under root the folder is given to
// "nobody" and check runs in a child process as that user; its failures are printed by the child and
// fail the calling test. Skips the test only when root cannot be given up here, and on Windows, whose
// permissions are no file modes: the checks set modes.
void RunAsOrdinaryUser(const std::filesystem::path &folder, const std::function<void()> &check);
