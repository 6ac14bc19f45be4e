// The configuration file: section [General] of an INI file. Reading goes through the profile
// functions; a save is collected in memory and written, every byte checked, to a new file beside
// the old one, which replaces it only when the new one is complete. The profile writer is not
// trusted with it: it reports success for writes a full disk refused.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"

namespace es {

class IniSettingsStore final : public SettingsStore {
public:
    // Nothing is written before Commit.
    bool Open(const std::wstring& path, bool writing);
    // Writes the saved keys in place of the old file; 0 when done, else the error code (the old
    // file then stays as it was; a read-only one is never replaced).
    DWORD Commit();

    bool IsWriting() const override { return writing_; }
    int ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t def) override;
    int ExchangeBinary(std::wstring_view key, std::uint8_t* bytes, std::size_t& size) override;
    int ExchangeString(std::wstring_view key, std::wstring& value, std::wstring_view def,
                       std::size_t capacity) override;
    int ExchangeUInt16(std::wstring_view key, std::uint16_t& value, std::uint16_t def) override;
    int DeleteKey(std::wstring_view key) override;

private:
    void WriteString(std::wstring_view key, std::wstring_view value);

    bool writing_ = false;
    std::wstring path_;
    std::wstring section_ = L"General";
    std::vector<std::pair<std::wstring, std::wstring>> saved_;  // key and value, in the order written
};

}  // namespace es
