// File services the core needs beyond streams: existence, kind, identity, deletion, size and folder checks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// True only for an existing regular file (a folder of that name does not count).
bool FileExists(const std::string &path);
// True when anything (a file, a folder, a link, even a dangling one) is at path; links are not followed.
bool AnythingAt(const std::string &path);
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
// False for a name the system cannot hold as one file in a folder beyond "/" and the NUL byte: on Windows the
// characters <>:"\\|?*, a name ending in a dot or a space, and device names such as CON or LPT1.txt.
bool SystemAcceptsFileName(const std::string &name);
// The system's folder separators: "/" here, "\\" and "/" on Windows.
extern const char *const PathSeparators;

// Paths are UTF-8 text throughout the program; these turn them into std::filesystem paths and back without the
// system's narrow code page coming between (on Windows it is not UTF-8).
std::filesystem::path FilePath(const std::string &path);
std::string PathText(const std::filesystem::path &path);

// Throws EFOpenError naming the file when something other than a regular file sits at path: a folder, a FIFO,
// a device, a socket, or a file of /proc or /sys (whose size says nothing of its content). A missing path
// passes; opening it then reports that. Never opens the file.
void RequireRegularFile(const std::string &path);

// Throws EFCreateError naming the file when a file exists at path that this user may not write: what the user
// could not change in place is not replaced by a new file either. A missing path passes.
void RequireWritable(const std::string &path);

// What tells one state of a file on disk from another: a rename puts another inode at the name, a rewrite
// changes the size or the modification time.
// Device and Inode are the volume's serial number and the file's index on Windows.
struct TFileIdentity {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
  bool operator==(const TFileIdentity &) const = default;
};
// The identity of the file at path (links followed), or nothing when there is none.
std::optional<TFileIdentity> IdentityOf(const std::string &path);
// The identity of an open file.
TFileIdentity IdentityOf(int handle);

// The process's file creation mask, read once at start-up: it is never set, since other threads create files.
// Windows has none: 0 there.
uint32_t ProcessUmask();
