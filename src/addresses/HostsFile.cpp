#include "addresses/HostsFile.h"

#include <windows.h>

#include "addresses/AddressFile.h"
#include "support/FileIo.h"
#include "support/Utf16.h"

namespace es {

namespace {

std::string ReadUpTo(HANDLE file, std::size_t limit) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) return {};
    auto wanted = static_cast<std::size_t>(std::min<long long>(size.QuadPart, static_cast<long long>(limit)));
    std::string bytes(wanted, '\0');
    DWORD read = 0;
    if (wanted && !::ReadFile(file, bytes.data(), static_cast<DWORD>(wanted), &read, nullptr)) read = 0;
    bytes.resize(read);
    return bytes;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

}  // namespace

bool SaveHostsFile(const std::wstring& path, const std::wstring& text) {
    const std::string bytes = EncodeUtf16Le(text);
    return WriteFileReplacing(path, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool LoadHostsFile(const std::wstring& path, std::wstring& text) {
    FileHandle file = OpenFileForRead(path);
    if (!file) return false;
    // The list never exceeds what the options dialog can hold, far below this.
    text = DecodeHostsFile(ReadUpTo(file.Get(), 0x7FFFFFFE));
    return true;
}

bool ReadAddressFile(const std::wstring& path, std::wstring& text) {
    FileHandle file = OpenFileForRead(path);
    if (!file) return false;
    text = DecodeAddressFile(ReadUpTo(file.Get(), kMaxAddressFileBytes), FromAnsi);
    return true;
}

}  // namespace es
