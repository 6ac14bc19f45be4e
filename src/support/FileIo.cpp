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

BOOL WriteText(HANDLE file, std::wstring_view text) {
    // wchar_t is one UTF-16 code unit here, so the text is already UTF-16LE in memory.
    return WriteBytes(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

BOOL WriteBytes(HANDLE file, const void* bytes, DWORD count) {
    DWORD written = 0;
    return ::WriteFile(file, bytes, count, &written, nullptr);
}

BOOL ReadBytes(HANDLE file, void* buffer, DWORD count) {
    DWORD read = 0;
    return ::ReadFile(file, buffer, count, &read, nullptr);
}

std::wstring PendingSavePath(const std::wstring& path) { return path + L".new"; }

bool CommitPendingSave(const std::wstring& pending, const std::wstring& path) {
    if (::MoveFileExW(pending.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    ::DeleteFileW(pending.c_str());
    return false;
}

bool WriteFileReplacing(const std::wstring& path, const void* bytes, DWORD count) {
    const std::wstring pending = PendingSavePath(path);
    {
        FileHandle file(::CreateFileW(pending.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file) return false;
        DWORD written = 0;
        bool ok = (count == 0 || (::WriteFile(file.Get(), bytes, count, &written, nullptr) && written == count)) &&
                  ::FlushFileBuffers(file.Get());
        if (!ok) {
            file.Reset();
            ::DeleteFileW(pending.c_str());
            return false;
        }
    }
    return CommitPendingSave(pending, path);
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace es
