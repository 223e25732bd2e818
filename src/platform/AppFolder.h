// Where the program keeps its files: the executable's folder, config.ini, the backing file's folder, the help page.
#pragma once

#include <string>

// The folder of the running executable without trailing separator; TOVRIK_HOME, when set, replaces it.
std::string AppFolder();
// A file inside the app folder, e.g. AppFile("help/index.html").
std::string AppFile(const std::string &relativePath);
// True for the folder of an installed program: its shipped files lie in ../share/tovrikeditor. Such a program
// (without TOVRIK_HOME) keeps config.ini and the backing file in the user's folders, never beside itself.
bool IsInstalledProgramFolder(const std::string &folder);
// The default config.ini an installed program ships, beside its executable's folder (TOVRIK_HOME changes nothing).
std::string ShippedConfigIniPath();
// config.ini in the app folder when it exists there or the folder is writable (and the program is not installed),
// else $XDG_CONFIG_HOME/TovrikEditor/config.ini (~/.config when unset).
std::string ConfigIniPath();
// The folder for the backing file: the app folder when writable (and the program is not installed), else
// $XDG_STATE_HOME/TovrikEditor (~/.local/state/TovrikEditor), created private to the user. Throws EFCreateError when no such
// folder can be had.
std::string BackingFolder();
// The folder BackingFolder would give, when it already exists and is ours; empty otherwise. Creates nothing.
std::string ExistingBackingFolder();
