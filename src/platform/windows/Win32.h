// What the Windows services share: UTF-8 paths handed to the system as UTF-16, the system's error codes as errno
// values (so that std::strerror tells the reason, as elsewhere), and C runtime descriptors around system handles.
#pragma once

#include <windows.h>

#include <string>

// <windows.h> names DeleteFileW "DeleteFile"; the core's own DeleteFile must keep its name.
#undef DeleteFile

std::wstring Wide(const std::string &utf8);
std::string Narrow(const std::wstring &wide);
// Sets errno from GetLastError(); returns -1, the failure value of the descriptor functions.
int FailWithLastError();
// The system handle behind a descriptor; INVALID_HANDLE_VALUE for none.
HANDLE SystemHandle(int descriptor);
// A descriptor owning handle (closed with it); -1 with errno set when handle is invalid or no descriptor is free.
int DescriptorOf(HANDLE handle);
// CreateFileW shared for reading, writing and deleting, as POSIX files are: another process may read the file,
// and a file held open can still be renamed over or deleted, which the lock (not the share mode) guards.
HANDLE OpenShared(const std::string &path, DWORD access, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL);
// The identity facts of an open handle; false when the system does not give them.
bool HandleInformation(HANDLE handle, BY_HANDLE_FILE_INFORMATION &information);
