// The configuration file: section [General] of an INI file, through the profile functions.
// A save goes to a new file beside the old one, which is replaced only when the save completed.
#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace es {

class IniSettingsStore final : public SettingsStore {
public:
    // Writing starts a new, empty file; nothing replaces `path` before Commit.
    bool Open(const std::wstring& path, bool writing);
    // Puts the written file in place of the old one; false when it could not.
    bool Commit();
    ~IniSettingsStore() override;

    bool IsWriting() const override { return writing_; }
    int ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t def) override;
    int ExchangeBinary(std::wstring_view key, std::uint8_t* bytes, std::size_t& size) override;
    int ExchangeString(std::wstring_view key, std::wstring& value, std::wstring_view def,
                       std::size_t capacity) override;
    int ExchangeUInt16(std::wstring_view key, std::uint16_t& value, std::uint16_t def) override;
    int DeleteKey(std::wstring_view key) override;

private:
    bool WriteString(std::wstring_view key, const wchar_t* value);
    const std::wstring& File() const { return writing_ ? pending_ : path_; }

    bool writing_ = false;
    bool ok_ = true;
    std::wstring path_, pending_;
    std::wstring section_ = L"General";
};

}  // namespace es
