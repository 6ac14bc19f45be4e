#include "unattended/ConsoleOutput.h"

#include <windows.h>

#include <string>

#include "support/Utf16.h"

namespace es {

namespace {

HANDLE OutputHandle() {
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE) return output;
    // A program of the windows subsystem started from a console has none of its own.
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return nullptr;
    output = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return output == INVALID_HANDLE_VALUE ? nullptr : output;
}

}  // namespace

void WriteConsoleOutput(std::wstring_view text) {
    static HANDLE output = OutputHandle();
    if (!output || text.empty()) return;
    DWORD mode = 0, written = 0;
    if (::GetConsoleMode(output, &mode)) {
        ::WriteConsoleW(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = EncodeUtf8(text);
    ::WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace es
