#include <gtest/gtest.h>

#include <climits>

#include "support/StringList.h"
#include "support/Text.h"
#include "support/Utf16.h"

namespace es {
namespace {

TEST(PathHelpers, CutAtTheRightSeparators) {
    EXPECT_EQ(DirectoryPart(L"C:\\Tools\\app.exe"), L"C:\\Tools");
    EXPECT_EQ(DirectoryPart(L"app.exe"), L"app.exe");
    EXPECT_EQ(GetFileNamePart(L"C:\\a/b\\c.dll"), L"c.dll");
    EXPECT_EQ(GetFileNamePart(L"C:\\a\\b/c.dll"), L"c.dll");
    EXPECT_EQ(GetFileNamePart(L"plain"), L"plain");
    EXPECT_EQ(WithoutLastDot(L"C:\\Tools\\app.exe"), L"C:\\Tools\\app");
    // A dot in a folder name is the last dot when the file has no extension.
    EXPECT_EQ(WithoutLastDot(L"C:\\my.tools\\app"), L"C:\\my");
    EXPECT_EQ(WithoutLastDot(L"C:\\Tools\\app"), L"C:\\Tools\\app");
}

TEST(PathHelpers, AppendBackslashOnlyWhenMissing) {
    std::wstring empty, folder = L"C:\\x", rooted = L"C:\\";
    AppendBackslash(empty);
    AppendBackslash(folder);
    AppendBackslash(rooted);
    EXPECT_EQ(empty, L"");
    EXPECT_EQ(folder, L"C:\\x\\");
    EXPECT_EQ(rooted, L"C:\\");
}

TEST(TextHelpers, CopyTruncatedKeepsRoomForTheTerminator) {
    EXPECT_EQ(CopyTruncated(L"abcdef", 4), L"abc");
    EXPECT_EQ(CopyTruncated(L"abc", 4), L"abc");
    EXPECT_EQ(CopyTruncated(L"abc", 1), L"");
    EXPECT_EQ(CopyTruncated(L"abc", 0), L"");
}

TEST(TextHelpers, ReplaceCharUsesUnderscore) {
    std::wstring text = L"a b\\c/d b";
    ReplaceChar(text, L' ');
    ReplaceChar(text, L'\\');
    EXPECT_EQ(text, L"a_b_c/d_b");
}

struct WtoiCase {
    const wchar_t* text;
    int value;
};

TEST(TextHelpers, ParseIntFollowsWtoi) {
    const WtoiCase cases[] = {
        {L"500", 500},   {L"  42", 42},     {L"\t-7x", -7},           {L"+3", 3},
        {L"", 0},        {L"abc", 0},       {L"12abc", 12},           {L"- 5", 0},
        {L"2147483647", INT_MAX},           {L"99999999999", INT_MAX}, {L"-99999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.text << "\"");
        EXPECT_EQ(ParseIntLikeWtoi(c.text), c.value);
    }
}

TEST(TextHelpers, CompareNoCaseLowersAsciiLettersOnly) {
    EXPECT_EQ(CompareNoCase(L"/STEXT", L"/stext"), 0);
    EXPECT_LT(CompareNoCase(L"abc", L"ABD"), 0);
    EXPECT_GT(CompareNoCase(L"b", L"A"), 0);
    EXPECT_LT(CompareNoCase(L"ab", L"abc"), 0);
    // Letters are compared lower-cased, so an underscore sorts before them.
    EXPECT_LT(CompareNoCase(L"_", L"A"), 0);
    EXPECT_NE(CompareNoCase(L"\u00C4", L"\u00E4"), 0);
}

TEST(Utf16, EncodesLowByteFirstWithoutTerminator) {
    EXPECT_EQ(EncodeUtf16Le(L"A\u4E2D"), std::string("A\0\x2D\x4E", 4));
    EXPECT_EQ(EncodeUtf16Le(L""), std::string());
    const std::uint8_t bytes[] = {'h', 0, 'i', 0, 0x2D, 0x4E, 0x7F};
    EXPECT_EQ(DecodeUtf16Le(bytes, sizeof bytes), L"hi\u4E2D");
}

TEST(Utf16, SupplementaryCharactersTravelAsSurrogatePairs) {
    std::wstring text = DecodeUtf16Le(reinterpret_cast<const std::uint8_t*>("\x3D\xD8\x00\xDE"), 4);
    EXPECT_EQ(EncodeUtf16Le(text), std::string("\x3D\xD8\x00\xDE", 4));
    EXPECT_EQ(Utf16Length(text), 2u);
}

TEST(StringListTest, GetOutsideTheListIsNull) {
    StringList list;
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Add(L"one"), 0);
    EXPECT_EQ(list.Add(L""), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_STREQ(list.Get(0), L"one");
    ASSERT_NE(list.Get(1), nullptr);
    EXPECT_STREQ(list.Get(1), L"");
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(2), nullptr);
}

}  // namespace
}  // namespace es
