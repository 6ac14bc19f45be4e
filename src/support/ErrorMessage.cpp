#include "support/ErrorMessage.h"

#include "support/Handles.h"
#include "support/Text.h"

namespace es {

namespace {
constexpr std::size_t kErrorTextSize = 1024;
}

std::wstring GetErrorText(DWORD code) {
    ModuleHandle netmsg;
    if (code >= 2100 && code <= 2999) netmsg.Reset(::LoadLibraryExW(L"netmsg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    // Inserts are left as they stand: no arguments are passed, and expanding %1 without them
    // would read arguments that do not exist.
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    if (netmsg) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(flags, netmsg.Get(), code, 0x400, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || !text) return L"Unknown Error";
    std::wstring result;
    if (length < kErrorTextSize) result.assign(text, length);
    ::LocalFree(text);
    return result;
}

std::wstring GetErrorLine(DWORD code) {
    std::wstring text = GetErrorText(code);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

std::wstring FormatErrorMessage(DWORD code) {
    if (code == 0) code = ::GetLastError();
    std::wstring message = L"Error " + std::to_wstring(static_cast<int>(code)) + L": " + GetErrorText(code);
    return CopyTruncated(message, kErrorTextSize);
}

void ShowErrorMessage(HWND owner, DWORD code) {
    std::wstring message = FormatErrorMessage(code);
    ::MessageBoxW(owner, message.c_str(), L"Error", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace es
