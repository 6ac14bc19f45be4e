#include "support/ExePaths.h"

#include <windows.h>

#include "support/Text.h"

namespace es {

std::wstring GetExePath() {
    wchar_t buffer[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return std::wstring(buffer, n < MAX_PATH ? n : MAX_PATH - 1);
}

std::wstring GetExeDirectory() { return std::wstring(DirectoryPart(GetExePath())); }

std::wstring GetExeSiblingPath(const wchar_t* suffix) {
    return std::wstring(WithoutLastDot(GetExePath())) + suffix;
}

const std::wstring& GetWindowsDir() {
    static const std::wstring folder = [] {
        wchar_t buffer[MAX_PATH] = {};
        UINT n = ::GetWindowsDirectoryW(buffer, MAX_PATH);
        return std::wstring(buffer, n < MAX_PATH ? n : 0);
    }();
    return folder;
}

}  // namespace es
