// Helpers shared by the Windows implementations (not part of the interface).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

// The errno value that best describes a Windows error code.
int errno_from(DWORD error);

// Wraps an open handle in a C runtime descriptor (binary mode), closing the
// handle when that fails; -1 then.
int adopt_handle(HANDLE handle);

// The handle behind a descriptor, or INVALID_HANDLE_VALUE.
HANDLE handle_of(int fd);

// True when Windows takes path for a device: CON, NUL, AUX, PRN, COM1,
// LPT1 and the like, with any extension and in any folder (C:\x\aux.txt),
// and every name in the device namespace (\\.\NUL, \\.\pipe\x) but a
// volume's file (\\.\C:\x).
bool names_device(const std::string& path);

// Opens a file or folder with the given access, sharing every way (read,
// write, delete) so that other programs are not locked out;
// FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened too. A device is no file:
// ERROR_BAD_DEVICE; it is never opened when its name tells, since opening a
// port may wait. Writing to a read-only file is ERROR_ACCESS_DENIED, as
// Windows has it, also where the file system would allow it (Wine as root).
HANDLE open_shared(const std::string& path, DWORD access, DWORD disposition, DWORD flags = 0);

// True when the handle is a file on a disk (not a console, pipe or device).
bool is_disk_file(HANDLE handle);

// Nanoseconds since 1970 of a FILETIME (100 ns ticks since 1601).
long long unix_nanoseconds(const FILETIME& time);

}  // namespace platform::win32
