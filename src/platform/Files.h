// File services the core needs beyond streams: existence, deletion, size and folder checks.
#pragma once

#include <cstdint>
#include <string>

// True only for an existing regular file (a folder of that name does not count).
bool FileExists(const std::string &path);
// Deletes a file; returns whether that succeeded. Never throws.
bool DeleteFile(const std::string &path);
// The size of a file in bytes; throws EFOpenError with the system's reason when it cannot be opened.
int64_t FileSize(const std::string &path);
// True when path is an existing folder this process may create files in.
bool FolderWritable(const std::string &path);
// The folder part of path without its trailing separator ("." when path has none).
std::string ExtractFileDir(const std::string &path);
// The part after the last folder separator.
std::string ExtractFileName(const std::string &path);
