// File helpers through which every report, list and settings file is read and written.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "support/Handles.h"

namespace es {

// GENERIC_READ, shared for reading and writing, the file must exist.
FileHandle OpenFileForRead(const std::wstring& path);
// GENERIC_WRITE, shared for reading, an existing file is truncated.
FileHandle CreateFileForWrite(const std::wstring& path);

// The text as UTF-16LE, without terminator or byte-order mark; the WriteFile result.
BOOL WriteText(HANDLE file, std::wstring_view text);
BOOL WriteBytes(HANDLE file, const void* bytes, DWORD count);
BOOL ReadBytes(HANDLE file, void* buffer, DWORD count);

// True when the path names a file or a folder.
bool FileExists(const std::wstring& path);

}  // namespace es
