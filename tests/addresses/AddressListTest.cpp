// Address list texts turned into rows, and address files decoded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addresses/AddressFile.h"
#include "addresses/AddressList.h"

namespace {

using namespace es;

std::vector<AddressRow> Expand(std::wstring_view text, bool ipHost = false) {
    std::vector<AddressRow> rows;
    ExpandAddressList(text, ipHost, [&](const AddressRow& row) { rows.push_back(row); });
    return rows;
}

std::vector<std::wstring> Names(const std::vector<AddressRow>& rows) {
    std::vector<std::wstring> names;
    for (const auto& row : rows) names.push_back(row.hostName);
    return names;
}

constexpr std::uint32_t Address(int a, int b, int c, int d) {
    return static_cast<std::uint32_t>(a | b << 8 | c << 16) | static_cast<std::uint32_t>(d) << 24;
}

TEST(DottedAddress, AcceptsOnlyFourGroupsOfUpToThreeDigits) {
    struct Case {
        const wchar_t* text;
        bool ok;
        std::uint32_t address;
    } cases[] = {
        {L"10.0.0.1", true, Address(10, 0, 0, 1)},     {L"010.001.000.255", true, Address(10, 1, 0, 255)},
        {L"255.255.255.255", true, 0xFFFFFFFF},        {L"0.0.0.0", true, 0},
        {L"1.2.3.256", false, 0},  {L"1.2.3", false, 0},  {L"1.2.3.4.5", false, 0}, {L"1.2.3.4.", false, 0},
        {L"1..3.4", false, 0},     {L"0001.2.3.4", false, 0}, {L"+1.2.3.4", false, 0}, {L" 1.2.3.4", false, 0},
        {L"1.2.3.4 ", false, 0},   {L"", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        std::uint32_t address = 0xDEADBEEF;
        EXPECT_EQ(ParseDottedAddress(c.text, address), c.ok);
        if (c.ok) {
            EXPECT_EQ(address, c.address);
        }
    }
    EXPECT_EQ(FormatAddress(Address(192, 168, 0, 1)), L"192.168.0.1");
}

TEST(AddressListStandard, SplitsOnSeparatorsAndExpandsRanges) {
    auto rows = Expand(L",,host-a;;10.0.0.1-10.0.0.3\r\n\t 1.2.3.256 10.0.0.1 - 10.0.0.5 10.0.0.7");
    EXPECT_EQ(Names(rows), (std::vector<std::wstring>{L"host-a", L"10.0.0.1", L"10.0.0.2", L"10.0.0.3", L"1.2.3.256",
                                                      L"10.0.0.1", L"-", L"10.0.0.5", L"10.0.0.7"}));
    EXPECT_EQ(rows[0].address, 0u);
    EXPECT_EQ(rows[2].address, Address(10, 0, 0, 2));
    EXPECT_EQ(rows[4].address, 0u);
    EXPECT_EQ(rows[8].address, Address(10, 0, 0, 7));
    EXPECT_TRUE(Expand(L"").empty());
    EXPECT_TRUE(Expand(L" ,;\r\n\t").empty());
}

TEST(AddressListStandard, MalformedRangesStayHostNames) {
    for (const wchar_t* entry : {L"10.0.0.5-10.0.0.5", L"10.0.0.5-10.0.0.1", L"10.0.0.0-10.0.255.255", L"10.0.0.1-x",
                                 L"my-host", L"10.0.0.1-10.0.0.2-10.0.0.3"}) {
        SCOPED_TRACE(testing::Message() << "entry " << std::string(entry, entry + wcslen(entry)));
        auto rows = Expand(entry);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].hostName, entry);
        EXPECT_EQ(rows[0].address, 0u);
    }
}

TEST(AddressListStandard, TheWidestRangeHas65535AddressesAcrossOctets) {
    auto rows = Expand(L"10.0.0.0-10.0.255.254");
    ASSERT_EQ(rows.size(), 65535u);
    EXPECT_EQ(rows[255].hostName, L"10.0.0.255");
    EXPECT_EQ(rows[256].hostName, L"10.0.1.0");
    EXPECT_EQ(rows.back().hostName, L"10.0.255.254");
    EXPECT_EQ(rows.back().address, Address(10, 0, 255, 254));
    EXPECT_EQ(Expand(L"10.0.255.255-10.1.0.1").size(), 3u);
}

TEST(AddressListStandard, EntriesAreCutTo254Characters) {
    std::wstring longName(300, L'a');
    auto rows = Expand(longName + L" next");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].hostName, std::wstring(254, L'a'));
    EXPECT_EQ(rows[1].hostName, L"next");
}

TEST(AddressListIpHost, AddressBeforeTheFirstSpaceDescriptionAfter) {
    auto rows = Expand(L"10.0.0.1 Main router, 2nd floor\r\n10.0.0.2\r\n10.0.0.3\tTabbed\n\nhost-b  two  spaces;x\n"
                       L"10.0.0.1-10.0.0.3 range",
                       true);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].hostName, L"10.0.0.1");
    EXPECT_EQ(rows[0].address, Address(10, 0, 0, 1));
    EXPECT_EQ(rows[0].description, L"Main router, 2nd floor");
    EXPECT_EQ(rows[1].hostName, L"host-b");
    EXPECT_EQ(rows[1].address, 0u);
    EXPECT_EQ(rows[1].description, L" two  spaces;x");
    EXPECT_EQ(rows[2].hostName, L"10.0.0.1-10.0.0.3");
    EXPECT_EQ(rows[2].description, L"range");
}

std::wstring Latin1(std::string_view bytes) {
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

TEST(AddressFileDecoding, RecognisesUtf16WithAndWithoutMarkElseAnsi) {
    using namespace std::string_literals;
    EXPECT_EQ(DecodeAddressFile("\xFF\xFE" "1\0.\0" "2\0"s, Latin1), L"1.2");
    EXPECT_EQ(DecodeAddressFile("1\0.\0" "2\0"s, Latin1), L"1.2");
    EXPECT_EQ(DecodeAddressFile("10.0.0.1\r\n10.0.0.2", Latin1), L"10.0.0.1\r\n10.0.0.2");
    // An odd last byte of UTF-16 becomes one more code unit.
    EXPECT_EQ(DecodeAddressFile("a\0b"s, Latin1), L"ab");
    // A UTF-8 mark is just three more ANSI characters; big-endian UTF-16 is ANSI text too.
    EXPECT_EQ(DecodeAddressFile("\xEF\xBB\xBFx", Latin1), L"\xEF\xBB\xBFx");
    EXPECT_EQ(DecodeAddressFile("\xFE\xFF\0a"s, Latin1), L"\xFE\xFF");
    // The text ends at its first NUL.
    EXPECT_EQ(DecodeAddressFile("ab\0cd"s, Latin1), L"ab");
    EXPECT_EQ(DecodeAddressFile("a\0\0\0b\0"s, Latin1), L"a");
    EXPECT_EQ(DecodeAddressFile("", Latin1), L"");
    EXPECT_EQ(DecodeAddressFile("x", Latin1), L"x");
}

TEST(AddressFileDecoding, UsesOnlyTheFirst8MiB) {
    std::string bytes(kMaxAddressFileBytes, 'a');
    bytes += "bbbb";
    std::wstring text = DecodeAddressFile(bytes, Latin1);
    EXPECT_EQ(text.size(), kMaxAddressFileBytes);
    EXPECT_EQ(text.find(L'b'), std::wstring::npos);
}

TEST(HostsFileDecoding, KeepsAMarkAsTextAndDropsAnOddByte) {
    using namespace std::string_literals;
    EXPECT_EQ(DecodeHostsFile("\xFF\xFE" "a\0"s), L"\xFEFF" L"a");
    EXPECT_EQ(DecodeHostsFile("a\0b"s), L"a");
    EXPECT_EQ(DecodeHostsFile(""), L"");
}

}  // namespace
