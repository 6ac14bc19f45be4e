// Address lists: every row's name and description fit 254 characters, an address formats back
// to a dotted text that parses to itself, and no entry expands to more than 65,535 rows.
#include "addresses/AddressList.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::wstring text = FuzzText(data + 1, size - 1);
    std::size_t rows = 0;
    const bool ipHost = data[0] & 1;
    es::ExpandAddressList(text, ipHost, [&](const es::AddressRow& row) {
        ++rows;
        FUZZ_CHECK(row.hostName.size() <= 254 && row.description.size() <= 254);
        FUZZ_CHECK(!row.hostName.empty() || ipHost);  // a line that starts with its space has no name
        FUZZ_CHECK(ipHost || row.hostName.find_first_of(L",; \r\t\n") == std::wstring::npos);
        if (row.address) {
            std::uint32_t back = 0;
            FUZZ_CHECK(es::ParseDottedAddress(es::FormatAddress(row.address), back) && back == row.address);
        }
    });
    // Each entry is at least one character and a separator, and expands to at most 65,535 rows.
    FUZZ_CHECK(rows <= (text.size() / 2 + 1) * 65535);
    return 0;
}
