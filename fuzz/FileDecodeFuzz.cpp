// Address and hosts file bytes: the text never holds a NUL, never has more characters than the
// bytes allow, and UTF-16 written back decodes to itself.
#include <cstring>

#include "addresses/AddressFile.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto latin1 = [](std::string_view ansi) {
        std::wstring text;
        for (char c : ansi) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
        return text;
    };
    const std::wstring address = es::DecodeAddressFile(bytes, latin1);
    FUZZ_CHECK(address.find(L'\0') == std::wstring::npos && address.size() <= size);
    const std::wstring hosts = es::DecodeHostsFile(bytes);
    FUZZ_CHECK(hosts.find(L'\0') == std::wstring::npos && hosts.size() <= size / 2);
    FUZZ_CHECK(es::DecodeHostsFile(es::EncodeUtf16Le(hosts)) == hosts);
    // With its mark, an address file is the hosts text of what follows the mark, an odd last byte
    // taken as a code unit with a zero high byte.
    const std::string marked = "\xFF\xFE" + std::string(bytes);
    const std::string padded = std::string(bytes) + std::string(size % 2, '\0');
    FUZZ_CHECK(es::DecodeAddressFile(marked, latin1) == es::DecodeHostsFile(padded));
    return 0;
}
