// Whole-file reads and writes for tests that check what the program put on disk.
#pragma once

#include <windows.h>

#include <string>

#include "support/FileIo.h"
#include "support/Utf16.h"

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

// The text as UTF-16LE bytes, as the program writes it to files (without the mark).
inline std::string Utf16Bytes(const std::wstring& text) { return es::EncodeUtf16Le(text); }

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    es::FileHandle file = es::CreateFileForWrite(path);
    if (file) es::WriteBytes(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()));
}

// Calls visit(name, attributes) for each entry of the folder but "." and "..".
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (const std::wstring name = data.cFileName; name != L"." && name != L"..") visit(name, data.dwFileAttributes);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

// A new empty folder under the temporary directory, named from the prefix; removed with all it
// holds at the end of its scope, however the test ended.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* prefix) {
        wchar_t temp[MAX_PATH], unique[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        ::GetTempFileNameW(temp, prefix, 0, unique);
        ::DeleteFileW(unique);
        ::CreateDirectoryW(unique, nullptr);
        path_ = unique;
    }
    ~TempFolder() {
        // A file dialog may have left the current folder inside, which keeps it from being removed.
        ::SetCurrentDirectoryW(path_.substr(0, path_.rfind(L'\\')).c_str());
        Remove(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring PathOf(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    // Paths past MAX_PATH included, which the shell's own delete gives up on.
    static void Remove(const std::wstring& folder) {
        ForEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
            const std::wstring path = folder + L"\\" + name;
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Remove(path);
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path.c_str());
        });
        ::RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
};

}  // namespace testing_es
