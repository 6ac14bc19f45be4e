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

// The WriteFile result.
BOOL WriteBytes(HANDLE file, const void* bytes, DWORD count);

// False, with ERROR_ACCESS_DENIED, when path is a read-only file or a folder, which Windows refuses
// to replace; true when it is another file or nothing.
bool IsReplaceable(const std::wstring& path);
// Writes the bytes to a new file beside path, then puts it in path's place, so that path holds
// either its old content or all of the new one, whatever happens midway.
bool WriteFileReplacing(const std::wstring& path, const void* bytes, DWORD count);
// The name of the new file that WriteFileReplacing and other safe saves write first.
std::wstring PendingSavePath(const std::wstring& path);
// Moves a completed pending file over path (path need not exist).
bool CommitPendingSave(const std::wstring& pending, const std::wstring& path);
// True when the path names a file or a folder.
bool FileExists(const std::wstring& path);

}  // namespace es
