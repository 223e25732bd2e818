// What each system says about the program and the user's folders: the executable, the environment, where
// settings and state belong, and folders private to the user.
#pragma once

#include <string>

// The running executable's full path; empty when the system does not tell.
std::string ExecutablePath();
// An environment variable's value as UTF-8; empty when unset.
std::string Environment(const char *name);
// The folder for the user's settings: $XDG_CONFIG_HOME or ~/.config; %APPDATA% on Windows.
std::string UserSettingsFolder();
// The folder for state that must outlive a logout: $XDG_STATE_HOME or ~/.local/state; %LOCALAPPDATA% on Windows.
std::string UserStateFolder();
// Creates a folder only this user can enter, or accepts an existing one that is ours and not a link; throws
// EFCreateError naming it otherwise.
void MakePrivateFolder(const std::string &path);
// True when path is a folder (not a link) that belongs to this user.
bool IsOwnFolder(const std::string &path);
