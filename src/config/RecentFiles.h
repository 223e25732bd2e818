// The containers opened or saved last, newest first, kept in config.ini's section "RecentFiles".
#pragma once

#include <string>
#include <vector>

inline constexpr int RecentFilesMaxCount = 8;

// The remembered paths (UTF-8), newest first; empty values and repeats in a hand-edited file are skipped.
std::vector<std::string> LoadRecentFiles();
// Puts path first (moving it up when it is already there) and keeps at most RecentFilesMaxCount.
void RememberRecentFile(const std::string &path);
// Drops path from the list; an absent path changes nothing.
void ForgetRecentFile(const std::string &path);
