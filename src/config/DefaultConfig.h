// A first start's settings: the config.ini shipped with the program becomes the user's, unless the user has one.
#pragma once

#include <string>

// Copies the file at defaultsPath to ConfigIniPath() when no config.ini is there yet (creating its folder);
// true when it copied. An existing config.ini is never touched; missing defaults change nothing.
bool InstallDefaultConfig(const std::string &defaultsPath);
