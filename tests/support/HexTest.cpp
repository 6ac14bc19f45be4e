#include <gtest/gtest.h>

#include <vector>

#include "support/Hex.h"

namespace es {
namespace {

TEST(BytesToHex, WritesUpperCasePairsWithoutTrailingSpace) {
    const std::uint8_t bytes[] = {0x0A, 0xFF, 0x00};
    std::wstring text = L"old";
    EXPECT_TRUE(BytesToHex(bytes, 3, text));
    EXPECT_EQ(text, L"0A FF 00");
    EXPECT_TRUE(BytesToHex(bytes, 1, text));
    EXPECT_EQ(text, L"0A");
}

TEST(BytesToHex, NoBytesGiveFalseAndEmptyText) {
    std::wstring text = L"old";
    EXPECT_FALSE(BytesToHex(nullptr, 0, text));
    EXPECT_EQ(text, L"");
}

TEST(BytesToHex, StopsAt2731BytesAnd8192Characters) {
    std::vector<std::uint8_t> bytes(4000, 0xAB);
    std::wstring text;
    ASSERT_TRUE(BytesToHex(bytes.data(), bytes.size(), text));
    EXPECT_EQ(text.size(), 8192u);
    EXPECT_EQ(text.substr(text.size() - 3), L" AB");
    std::wstring exact;
    ASSERT_TRUE(BytesToHex(bytes.data(), 2731, exact));
    EXPECT_EQ(exact, text);
    ASSERT_TRUE(BytesToHex(bytes.data(), 2730, exact));
    EXPECT_EQ(exact.size(), 8189u);
}

struct HexCase {
    const wchar_t* text;
    std::size_t capacity;
    bool ok;
    std::vector<std::uint8_t> bytes;
};

TEST(HexToBytes, ReadsPairsTheWayTheSettingsReaderDoes) {
    const HexCase cases[] = {
        {L"0A FF 00", 8, true, {0x0A, 0xFF, 0x00}},
        {L"0A FF 00", 2, true, {0x0A, 0xFF}},            // stops when the destination is full
        {L"  0aff", 8, true, {0x0A, 0xFF}},              // spaces skipped, no separator needed
        {L"96 00 01 00", 4, true, {0x96, 0x00, 0x01, 0x00}},
        {L"A", 8, true, {0x0A}},                         // a single last digit gives its value
        {L"ZZ 1", 8, true, {0x00, 0x01}},                // a pair not starting with a digit gives 0
        {L"1Z", 8, true, {0x01}},                        // leading digits count
        {L"-1", 8, true, {0xFF}},                        // the reader accepts a sign
        {L"\t5", 8, true, {0x05}},                       // and skips white space inside the pair
        {L"", 8, false, {}},
        {L"   ", 8, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\" capacity " << c.capacity);
        std::uint8_t out[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        std::size_t size = c.capacity;
        EXPECT_EQ(HexToBytes(c.text, out, size), c.ok);
        if (c.ok) {
            EXPECT_EQ(std::vector<std::uint8_t>(out, out + size), c.bytes);
            if (size < 8) {
                EXPECT_EQ(out[size], 0xEE) << "wrote past the bytes produced";
            }
        } else {
            EXPECT_EQ(size, c.capacity);
        }
    }
}

TEST(HexToBytes, RoundTripsEveryByteValue) {
    std::vector<std::uint8_t> all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    std::wstring text;
    ASSERT_TRUE(BytesToHex(all.data(), all.size(), text));
    std::vector<std::uint8_t> back(300);
    std::size_t size = back.size();
    ASSERT_TRUE(HexToBytes(text, back.data(), size));
    back.resize(size);
    EXPECT_EQ(back, all);
}

}  // namespace
}  // namespace es
