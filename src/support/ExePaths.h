// Where the running executable and the Windows folder are.
#pragma once

#include <string>

namespace es {

// The executable's full path (at most 259 characters).
std::wstring GetExePath();
// GetExePath without its last backslash and the file name.
std::wstring GetExeDirectory();
// The executable's path cut at its last dot, followed by suffix (".cfg", "_hosts.txt", ...).
std::wstring GetExeSiblingPath(const wchar_t* suffix);
// The Windows folder, looked up on the first call and kept.
const std::wstring& GetWindowsDir();

}  // namespace es
