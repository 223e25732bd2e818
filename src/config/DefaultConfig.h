// A first start's settings: the config.ini shipped with the program becomes the user's, unless the user has one;
// until then it is read in its place.
#pragma once

#include <string>

// Copies the file at defaultsPath to ConfigIniPath() when no config.ini is there yet (creating its folder);
// true when it copied. An existing config.ini is never touched; missing defaults change nothing.
bool InstallDefaultConfig(const std::string &defaultsPath);
// The config.ini settings are read from: ConfigIniPath() when anything is there, else the defaults shipped with an
// installed program (so tvk on a machine where the editor never ran knows the usual extensions), else
// ConfigIniPath() again, which then reads as missing. Writes always go to ConfigIniPath().
std::string ConfigIniForReading();
