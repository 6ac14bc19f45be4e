#include "addresses/AddressFile.h"

#include "support/Utf16.h"

namespace es {

namespace {

std::wstring UpToNul(std::wstring text) {
    std::size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}

std::wstring DecodeUtf16(std::string_view bytes) {
    std::string padded(bytes);
    if (padded.size() % 2) padded += '\0';
    return UpToNul(DecodeUtf16Le(reinterpret_cast<const std::uint8_t*>(padded.data()), padded.size()));
}

}  // namespace

std::wstring DecodeAddressFile(std::string_view bytes, const AnsiDecoder& fromAnsi) {
    if (bytes.size() > kMaxAddressFileBytes) bytes = bytes.substr(0, kMaxAddressFileBytes);
    const auto byte = [&](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u; };
    if (byte(0) == 0xFF && byte(1) == 0xFE) return DecodeUtf16(bytes.substr(2));
    if (byte(1) == 0) return DecodeUtf16(bytes);
    std::size_t nul = bytes.find('\0');
    return fromAnsi(bytes.substr(0, nul));
}

std::wstring DecodeHostsFile(std::string_view bytes) {
    return UpToNul(DecodeUtf16Le(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace es
