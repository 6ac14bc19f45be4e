#include "settings/CommandLineSettings.h"

#include <string>

#include "support/Text.h"

namespace es {

namespace {
constexpr std::size_t kOptionCapacity = 256;
}

const wchar_t* CommandLineSettings::Find(std::wstring_view key) {
    std::wstring option = CopyTruncated(L"/" + std::wstring(key), kOptionCapacity);
    int index = commandLine_.FindArg(option);
    if (index < 0) return nullptr;
    ++hits_;
    return commandLine_.GetArg(index + 1);
}

int CommandLineSettings::ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t) {
    if (const wchar_t* text = Find(key)) value = ParseIntLikeWtoi(text);
    return 1;
}

int CommandLineSettings::ExchangeBinary(std::wstring_view, std::uint8_t*, std::size_t&) { return 1; }

int CommandLineSettings::ExchangeString(std::wstring_view key, std::wstring& value, std::wstring_view,
                                        std::size_t capacity) {
    if (const wchar_t* text = Find(key)) value = CopyTruncated(text, capacity);
    return 1;
}

int CommandLineSettings::ExchangeUInt16(std::wstring_view key, std::uint16_t& value, std::uint16_t) {
    if (const wchar_t* text = Find(key)) value = static_cast<std::uint16_t>(ParseIntLikeWtoi(text));
    return 1;
}

int CommandLineSettings::DeleteKey(std::wstring_view) { return 1; }

}  // namespace es
