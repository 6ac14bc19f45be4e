// One interface for reading and writing settings: each call exchanges one value, so a single
// routine per object serves both directions and keys always keep the same order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace es {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool IsWriting() const = 0;

    // Writing stores value; reading replaces it, with def when the key is missing.
    virtual int ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t def) = 0;
    int ExchangeBool(std::wstring_view key, std::int32_t& value, std::int32_t def) { return ExchangeInt(key, value, def); }
    // Writing stores size bytes; reading overwrites a prefix of bytes (at most size) and sets
    // size to the number read. Non-zero when written, or when reading found a non-empty value.
    virtual int ExchangeBinary(std::wstring_view key, std::uint8_t* bytes, std::size_t& size) = 0;
    // Reading keeps at most capacity - 1 characters.
    virtual int ExchangeString(std::wstring_view key, std::wstring& value, std::wstring_view def,
                               std::size_t capacity) = 0;
    virtual int ExchangeUInt16(std::wstring_view key, std::uint16_t& value, std::uint16_t def) = 0;
    virtual int DeleteKey(std::wstring_view key) = 0;
};

}  // namespace es
