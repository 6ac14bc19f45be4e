// Address list texts turned into rows: dotted addresses, separators, ranges and CIDR blocks and
// their limits (separators and IP-host-description lines are read in the exports' end-to-end tests).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addresses/AddressList.h"

namespace {

using namespace es;

// "name", or "name=a.b.c.d" for a row with an address.
std::vector<std::wstring> Rows(std::wstring_view text) {
    std::vector<std::wstring> rows;
    ExpandAddressList(text, false, [&](const AddressRow& row) {
        rows.push_back(row.hostName + (row.address ? L"=" + FormatAddress(row.address) : L""));
    });
    return rows;
}

TEST(AddressList, DottedAddressesAreFourGroupsOfUpToThreeDigits) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"010.001.000.255", L"10.1.0.255"}, {L"255.255.255.255", L"255.255.255.255"}, {L"0.0.0.0", L""},
        {L"1.2.3.256", nullptr}, {L"1.2.3", nullptr},     {L"1.2.3.4.5", nullptr}, {L"1.2.3.4.", nullptr},
        {L"1..3.4", nullptr},    {L"0001.2.3.4", nullptr}, {L"+1.2.3.4", nullptr}, {L"1.2.3.4 ", nullptr},
    };
    for (auto [text, expected] : cases) {
        std::uint32_t address = 0xDEADBEEF;
        EXPECT_EQ(ParseDottedAddress(text, address), expected != nullptr) << "\"" << text << "\"";
        if (expected && *expected) {
            EXPECT_EQ(FormatAddress(address), expected);
        }
    }
}

TEST(AddressList, SeparatorsAloneAreNoEntryAndALongNameIsCutWhereItStands) {
    EXPECT_TRUE(Rows(L" ,;\r\n\t").empty());
    EXPECT_EQ(Rows(std::wstring(300, L'a') + L" next"), (std::vector<std::wstring>{std::wstring(254, L'a'), L"next"}));
}

TEST(AddressList, RangesAndCidrBlocksExpandAscendingAndMalformedOnesStayNames) {
    struct Case { const wchar_t* entry; std::size_t rows; const wchar_t* first; const wchar_t* last; };
    const Case cases[] = {
        {L"10.0.0.1-10.0.0.3", 3, L"10.0.0.1", L"10.0.0.3"}, {L"10.0.255.255-10.1.0.1", 3, L"10.0.255.255", L"10.1.0.1"},
        {L"10.0.0.0-10.0.255.254", 65535, L"10.0.0.0", L"10.0.255.254"},
        {L"255.255.255.254-255.255.255.255", 2, L"255.255.255.254", L"255.255.255.255"},
        {L"10.1.2.0/24", 254, L"10.1.2.1", L"10.1.2.254"}, {L"10.1.2.77/24", 254, L"10.1.2.1", L"10.1.2.254"},
        {L"10.1.2.4/30", 2, L"10.1.2.5", L"10.1.2.6"},     {L"10.1.2.5/31", 2, L"10.1.2.4", L"10.1.2.5"},
        {L"10.1.2.5/32", 1, L"10.1.2.5", L"10.1.2.5"},     {L"10.1.99.3/16", 65534, L"10.1.0.1", L"10.1.255.254"},
        {L"255.255.255.255/31", 2, L"255.255.255.254", L"255.255.255.255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.entry << "\"");
        const auto rows = Rows(c.entry);
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_EQ(rows.front(), std::wstring(c.first) + L"=" + c.first);
        EXPECT_EQ(rows.back(), std::wstring(c.last) + L"=" + c.last);
    }
    // One row each, named as written: an empty or backward range, one of 65,536, not a range; a
    // block wider than a /16, a prefix past 32 or not of two digits, a side that is not an address.
    for (const wchar_t* entry : {L"10.0.0.5-10.0.0.5", L"10.0.0.5-10.0.0.1", L"10.0.0.0-10.0.255.255", L"10.0.0.1-x",
                                 L"10.0.0.1-10.0.0.2-10.0.0.3", L"10.0.0.0/15", L"10.0.0.0/33", L"10.0.0.0/x",
                                 L"10.0.0.0/024", L"10.0.0.0/24x", L"1.2.3/24"})
        EXPECT_EQ(Rows(entry), std::vector<std::wstring>{entry});
}

}  // namespace
