// The hosts file that keeps the address list between runs, and address files loaded by the user.
#pragma once

#include <string>

namespace es {

// The list as UTF-16LE without mark or terminator. Written to a new file that then replaces the
// old one, so a failed save leaves the previous list whole; false then, with the thread's last
// error telling why.
bool SaveHostsFile(const std::wstring& path, const std::wstring& text);
// False when the file cannot be opened (it must exist); text is then unchanged.
bool LoadHostsFile(const std::wstring& path, std::wstring& text);
// The first 8 MiB of any file, decoded as UTF-16LE (with or without mark) or ANSI text.
// False when the file cannot be opened.
bool ReadAddressFile(const std::wstring& path, std::wstring& text);

}  // namespace es
