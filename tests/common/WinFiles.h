// Whole-file reads and writes for tests that check what the program put on disk.
#pragma once

#include <windows.h>

#include <string>

#include "support/FileIo.h"

namespace testing_es {

// The file's bytes, or "<missing>" when it cannot be opened.
inline std::string ReadFileBytes(const std::wstring& path) {
    es::FileHandle file = es::OpenFileForRead(path);
    if (!file) return "<missing>";
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file.Get(), nullptr)), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return bytes;
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    es::FileHandle file = es::CreateFileForWrite(path);
    if (file) es::WriteBytes(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()));
}

// A new empty folder under the temporary directory, named from the prefix.
inline std::wstring CreateTempFolder(const wchar_t* prefix) {
    wchar_t temp[MAX_PATH], unique[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    ::GetTempFileNameW(temp, prefix, 0, unique);
    ::DeleteFileW(unique);
    ::CreateDirectoryW(unique, nullptr);
    return unique;
}

}  // namespace testing_es
