// Open files by descriptor for the few steps the core takes beside streams: creating a file that must be new,
// opening one without following links, reading and writing at an offset, cutting, syncing, listing a folder.
// Failures leave the reason in errno (std::strerror tells it), on Windows too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TAccess { Read, ReadWrite };

// Opens the existing regular file at path, never through a link and never waiting on a FIFO; -1 when it cannot.
int OpenNoFollow(const std::string &path, TAccess access);
// Opens the regular file at path for reading and writing, creating it (private to the user) when missing, never
// through a link; -1 when it cannot, with notAFile set when a folder or a link sits at path.
int OpenOrCreateNoFollow(const std::string &path, bool &notAFile);
// Creates a new file at path, private to the user; -1 when it cannot, with nameTaken set when something is at path.
int CreateNew(const std::string &path, bool &nameTaken);
// Closes a descriptor of the functions above.
void CloseFile(int handle);

// Reads up to count bytes at the file's position (0 at its end); how many were read, -1 on failure.
int64_t ReadSome(int handle, void *buffer, int64_t count);
// Writes up to count bytes at the file's position; how many were written, -1 on failure.
int64_t WriteSome(int handle, const void *buffer, int64_t count);
// Reads up to count bytes at offset; how many were read, -1 on failure.
int64_t ReadAt(int handle, void *buffer, int64_t count, int64_t offset);
// Writes all count bytes at offset; false on failure.
bool WriteAllAt(int handle, const void *buffer, int64_t count, int64_t offset);
// Sets the file's size; false on failure.
bool Truncate(int handle, int64_t size);
// Flushes the file's data (not necessarily its times) to the disk; false on failure.
bool SyncData(int handle);
// Makes a new or renamed name in folder durable; a folder that cannot be synced is not an error of the caller.
void SyncFolder(const std::string &folder);
// The names in folder (without "." and ".."); none when it cannot be read.
std::vector<std::string> FolderNames(const std::string &folder);

// This process's id, as other processes see it.
int ProcessId();
// Moves the complete file open at handle (its data already flushed) from path to target in one step, replacing
// target when replace is set and keeping it otherwise; false with errno when that fails. The file takes the
// owner, group and permissions of the file it replaces where the process may set them.
bool MoveIntoPlace(int handle, const std::string &path, const std::string &target, bool replace);
