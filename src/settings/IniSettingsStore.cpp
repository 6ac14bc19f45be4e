#include "settings/IniSettingsStore.h"

#include <windows.h>

#include <vector>

#include "support/FileIo.h"
#include "support/Hex.h"
#include "support/Text.h"

namespace es {

bool IniSettingsStore::Open(const std::wstring& path, bool writing) {
    path_ = path;
    writing_ = writing;
    saved_.clear();
    return true;
}

DWORD IniSettingsStore::Commit() {
    if (!writing_) return ERROR_INVALID_FUNCTION;
    // The bytes the profile writer puts into a new file: 8-bit text in the ANSI code page.
    std::wstring text = L"[" + section_ + L"]\r\n";
    for (const auto& [key, value] : saved_) text += key + L"=" + value + L"\r\n";
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                                      nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          static_cast<int>(bytes.size()), nullptr, nullptr);
    return WriteFileReplacing(path_, bytes.data(), static_cast<DWORD>(bytes.size())) ? 0 : ::GetLastError();
}

void IniSettingsStore::WriteString(std::wstring_view key, std::wstring_view value) {
    saved_.emplace_back(std::wstring(key), std::wstring(value));
}

int IniSettingsStore::ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t def) {
    if (writing_) {
        WriteString(key, std::to_wstring(value));
    } else {
        std::wstring name(key);
        value = static_cast<std::int32_t>(::GetPrivateProfileIntW(section_.c_str(), name.c_str(), def, path_.c_str()));
    }
    return 1;
}

int IniSettingsStore::ExchangeBinary(std::wstring_view key, std::uint8_t* bytes, std::size_t& size) {
    if (writing_) {
        std::wstring hex;
        BytesToHex(bytes, size, hex);
        WriteString(key, hex);
        return 1;
    }
    std::wstring name(key);
    std::vector<wchar_t> text(kMaxHexTextLength + 2);
    DWORD length = ::GetPrivateProfileStringW(section_.c_str(), name.c_str(), L"", text.data(),
                                              static_cast<DWORD>(text.size()), path_.c_str());
    if (length == 0) return 0;
    HexToBytes(std::wstring_view(text.data(), length), bytes, size);
    return 1;
}

int IniSettingsStore::ExchangeString(std::wstring_view key, std::wstring& value, std::wstring_view def,
                                     std::size_t capacity) {
    if (writing_) {
        WriteString(key, value);
        return 1;
    }
    std::wstring name(key), fallback(def);
    std::vector<wchar_t> text(capacity ? capacity : 1);
    DWORD length = ::GetPrivateProfileStringW(section_.c_str(), name.c_str(), fallback.c_str(), text.data(),
                                              static_cast<DWORD>(text.size()), path_.c_str());
    value.assign(text.data(), length);
    return 1;
}

int IniSettingsStore::ExchangeUInt16(std::wstring_view key, std::uint16_t& value, std::uint16_t def) {
    std::int32_t wide = value;
    ExchangeInt(key, wide, def);
    value = static_cast<std::uint16_t>(wide);
    return 1;
}

int IniSettingsStore::DeleteKey(std::wstring_view key) {
    std::wstring name(key);
    if (writing_) std::erase_if(saved_, [&](const auto& entry) { return entry.first == name; });
    else ::WritePrivateProfileStringW(section_.c_str(), name.c_str(), nullptr, path_.c_str());
    return 1;
}

}  // namespace es
