// Settings given for one run on the command line: "/" + key, then the value as the next word.
#pragma once

#include "settings/SettingsStore.h"
#include "support/CommandLine.h"

namespace es {

class CommandLineSettings final : public SettingsStore {
public:
    explicit CommandLineSettings(const CommandLine& commandLine) : commandLine_(commandLine) {}
    bool IsWriting() const override { return false; }
    int ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t def) override;
    int ExchangeBinary(std::wstring_view key, std::uint8_t* bytes, std::size_t& size) override;
    int ExchangeString(std::wstring_view key, std::wstring& value, std::wstring_view def,
                       std::size_t capacity) override;
    int ExchangeUInt16(std::wstring_view key, std::uint16_t& value, std::uint16_t def) override;
    int DeleteKey(std::wstring_view key) override;
    int Hits() const { return hits_; }

private:
    // The value word of "/" + key, or null when the option is absent.
    const wchar_t* Find(std::wstring_view key);

    const CommandLine& commandLine_;
    int hits_ = 0;
};

}  // namespace es
