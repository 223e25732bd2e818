// File services the core needs beyond streams: existence, kind, identity, deletion, size and folder checks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

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

// Throws EFOpenError naming the file when something other than a regular file sits at path: a folder, a FIFO,
// a device, a socket, or a file of /proc or /sys (whose size says nothing of its content). A missing path
// passes; opening it then reports that. Never opens the file.
void RequireRegularFile(const std::string &path);

// Throws EFCreateError naming the file when a file exists at path that this user may not write: what the user
// could not change in place is not replaced by a new file either. A missing path passes.
void RequireWritable(const std::string &path);

// What tells one state of a file on disk from another: a rename puts another inode at the name, a rewrite
// changes the size or the modification time.
struct TFileIdentity {
  dev_t Device = 0;
  ino_t Inode = 0;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
  bool operator==(const TFileIdentity &) const = default;
};
// The identity of the file at path (links followed), or nothing when there is none.
std::optional<TFileIdentity> IdentityOf(const std::string &path);
// The identity of an open file.
TFileIdentity IdentityOf(int handle);

// The process's file creation mask, read once at start-up: it is never set, since other threads create files.
mode_t ProcessUmask();
