// The "Error %d: %s" box shown when a file operation fails.
#pragma once

#include <windows.h>

#include <string>

namespace es {

// The system's message for a Windows error code (network-management codes 2100..2999 also from
// netmsg.dll), with the line break the system puts at its end; "Unknown Error" when none.
std::wstring GetErrorText(DWORD code);
// The same text without the line break and spaces the system puts at its end, for one line.
std::wstring GetErrorLine(DWORD code);

// "Error %d: %s", at most 1023 characters. Code 0 means the calling thread's last error.
std::wstring FormatErrorMessage(DWORD code);

// Shows FormatErrorMessage(code) titled "Error"; the owner may be null.
void ShowErrorMessage(HWND owner, DWORD code);

}  // namespace es
