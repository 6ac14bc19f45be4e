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
    ok_ = true;
    if (writing) {
        pending_ = PendingSavePath(path);
        FileHandle file(::CreateFileW(pending_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ok_ = static_cast<bool>(file);
    }
    return true;
}

IniSettingsStore::~IniSettingsStore() {
    if (writing_ && !pending_.empty()) {
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, pending_.c_str());
        ::DeleteFileW(pending_.c_str());
    }
}

bool IniSettingsStore::Commit() {
    if (!writing_ || pending_.empty()) return false;
    // Make the profile functions hand over what they still hold for the file.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, pending_.c_str());
    bool done = false;
    if (ok_) {
        FileHandle file(::CreateFileW(pending_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ok_ = file && ::FlushFileBuffers(file.Get());
    }
    if (ok_) done = CommitPendingSave(pending_, path_);
    else ::DeleteFileW(pending_.c_str());
    pending_.clear();
    return done;
}

bool IniSettingsStore::WriteString(std::wstring_view key, const wchar_t* value) {
    std::wstring name(key);
    if (!::WritePrivateProfileStringW(section_.c_str(), name.c_str(), value, pending_.c_str())) ok_ = false;
    return ok_;
}

int IniSettingsStore::ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t def) {
    if (writing_) {
        WriteString(key, std::to_wstring(value).c_str());
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
        return WriteString(key, hex.c_str()) ? 1 : 0;
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
        WriteString(key, value.c_str());
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
    ::WritePrivateProfileStringW(section_.c_str(), name.c_str(), nullptr, File().c_str());
    return 1;
}

}  // namespace es
