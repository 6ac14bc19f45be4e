#include "support/FileIo.h"

namespace es {

FileHandle OpenFileForRead(const std::wstring& path) {
    return FileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
}

FileHandle CreateFileForWrite(const std::wstring& path) {
    return FileHandle(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
}

BOOL WriteBytes(HANDLE file, const void* bytes, DWORD count) {
    DWORD written = 0;
    return ::WriteFile(file, bytes, count, &written, nullptr);
}

std::wstring PendingSavePath(const std::wstring& path) { return path + L".new"; }

bool CommitPendingSave(const std::wstring& pending, const std::wstring& path) {
    if (::MoveFileExW(pending.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = ::GetLastError();
    ::DeleteFileW(pending.c_str());
    ::SetLastError(error);
    return false;
}

bool IsReplaceable(const std::wstring& path) {
    // Windows refuses to overwrite a read-only file; so does this, also where the platform would not.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::wstring& path, const void* bytes, DWORD count) {
    if (!IsReplaceable(path)) return false;
    const std::wstring pending = PendingSavePath(path);
    DWORD error = 0;
    bool failed = true;
    {
        FileHandle file(::CreateFileW(pending.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file) return false;
        DWORD written = 0;
        LARGE_INTEGER size = {};
        // Every write checked, then the size on disk: a full disk must not pass for a save.
        if (count && (!::WriteFile(file.Get(), bytes, count, &written, nullptr) || written != count)) error = ::GetLastError();
        else if (!::FlushFileBuffers(file.Get())) error = ::GetLastError();
        else if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart != count) error = ERROR_DISK_FULL;
        else failed = false;
    }
    if (failed) {
        ::DeleteFileW(pending.c_str());
        ::SetLastError(error ? error : ERROR_WRITE_FAULT);
        return false;
    }
    return CommitPendingSave(pending, path);
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace es
