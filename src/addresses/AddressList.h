// The address list text turned into rows: entries, dotted addresses, ranges and CIDR blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace es {

inline constexpr std::size_t kMaxEntryLength = 254;
inline constexpr std::uint32_t kMaxRangeSpan = 65535;  // a range's end minus its start stays below this
inline constexpr int kMinCidrPrefix = 16;  // a /16 gives 65,534 rows, the widest block within a range's limit

// "%d.%d.%d.%d" of an address in network byte order (first octet in the lowest byte).
std::wstring FormatAddress(std::uint32_t address);

// Four groups of one to three decimal digits, each at most 255, nothing else. The address is
// in network byte order: the first group in the lowest byte.
bool ParseDottedAddress(std::wstring_view text, std::uint32_t& address);
// "A-B" with B above A by less than kMaxRangeSpan; both in network byte order.
bool ParseRange(std::wstring_view text, std::uint32_t& first, std::uint32_t& last);
// "a.b.c.d/n" with n of two digits from kMinCidrPrefix to 32; host bits may be set. Gives the
// block's hosts: without its network and broadcast addresses up to /30, both of a /31, one for /32.
bool ParseCidrBlock(std::wstring_view text, std::uint32_t& first, std::uint32_t& last);

struct AddressRow {
    std::wstring hostName;
    std::wstring description;
    std::uint32_t address = 0;
};

// Calls addRow for each row the text describes, in order. Standard format: entries separated
// by ",; \r\t\n", ranges and CIDR blocks expanded. IP-Host description format: one entry a
// line, the address before the first space and the description after it; lines without a space
// give no row.
// addRow may take the row's strings.
void ExpandAddressList(std::wstring_view text, bool ipHostDescFormat,
                       const std::function<void(AddressRow&)>& addRow);

}  // namespace es
