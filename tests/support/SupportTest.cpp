// The helpers that read outside input or fix a visible limit: _wtoi-style numbers, case-blind
// comparison, the settings reader's hexadecimal rule and the 8192-character hex text, UTF-16LE,
// paths beside the executable, the gradient of the colour helpers, sizes at the screen's DPI, the
// themes' contrast, and the access keys given to column titles in menus.
#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <vector>

#include "support/AccessKey.h"
#include "support/BlockList.h"
#include "support/CallHolds.h"
#include "support/Color.h"
#include "support/DpiScale.h"
#include "support/Hex.h"
#include "support/Palette.h"
#include "support/Text.h"
#include "support/Utf16.h"

namespace es {
namespace {

TEST(TextHelpers, NumbersCaseAndPaths) {
    const std::pair<const wchar_t*, int> numbers[] = {
        {L"500", 500}, {L"  42", 42}, {L"\t-7x", -7}, {L"+3", 3}, {L"", 0}, {L"abc", 0}, {L"- 5", 0},
        {L"2147483647", INT_MAX}, {L"99999999999", INT_MAX}, {L"-99999999999", INT_MIN},
    };
    for (auto [text, value] : numbers) EXPECT_EQ(ParseIntLikeWtoi(text), value) << "\"" << text << "\"";
    EXPECT_LT(CompareNoCase(L"_", L"A"), 0) << "letters compare lower-cased";
    EXPECT_NE(CompareNoCase(L"\u00C4", L"\u00E4"), 0) << "only A to Z";
    EXPECT_EQ(WithoutLastDot(L"C:\\Tools\\app.exe"), L"C:\\Tools\\app");
    EXPECT_EQ(WithoutLastDot(L"C:\\my.tools\\app"), L"C:\\my") << "the last dot, wherever it stands";
    EXPECT_EQ(CopyTruncated(L"abcdef", 4), L"abc");
}

// Titles in the order a menu takes them: word initials first, then any letter or digit, then one
// appended; '&' shown as it is. A tool tip shows the text without its key.
TEST(AccessKeys, EachTitleGetsAKeyNoTitleBeforeItHas) {
    const std::pair<const wchar_t*, const wchar_t*> titles[] = {
        {L"Host Name", L"&Host Name"}, {L"Last Ping", L"&Last Ping"}, {L"Last Ping TTL", L"Last &Ping TTL"},
        {L"lost", L"l&ost"}, {L"Loss & Jitter", L"Loss && &Jitter"}, {L"\u4e3b\u96fb", L"\u4e3b\u96fb(&A)"},
    };
    std::wstring used;
    for (const auto& [title, text] : titles) EXPECT_EQ(WithAccessKey(title, used), text);
    std::wstring full = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ123456789";
    EXPECT_EQ(WithAccessKey(L"\u63cf\u8ff0", full), L"\u63cf\u8ff0") << "no key left";
    EXPECT_EQ(WithoutAccessKey(L"\u958b\u59cb Ping(&S)\tF7"), L"\u958b\u59cb Ping\tF7");
    EXPECT_EQ(WithoutAccessKey(L"S&top && go(&&)"), L"Stop && go(&&)");
}

TEST(Utf16, SupplementaryCharactersTravelAsSurrogatePairsAndAnOddByteIsDropped) {
    const std::wstring text = DecodeUtf16Le(reinterpret_cast<const std::uint8_t*>("A\0\x3D\xD8\x00\xDE\x7F"), 7);
    EXPECT_EQ(EncodeUtf16Le(text), std::string("A\0\x3D\xD8\x00\xDE", 6));
    EXPECT_EQ(Utf16Length(text), 3u);
}

TEST(Hex, ReadsPairsTheWayTheSettingsReaderDoesAndWritesAtMost8192Characters) {
    const struct {
        const wchar_t* text;
        std::size_t capacity;
        std::vector<std::uint8_t> bytes;  // empty: nothing found, size kept
    } cases[] = {
        {L"0A FF 00", 8, {0x0A, 0xFF, 0x00}},
        {L"0A FF 00", 2, {0x0A, 0xFF}},  // stops when the destination is full
        {L"  0aff", 8, {0x0A, 0xFF}},    // spaces skipped, no separator needed
        {L"A", 8, {0x0A}},               // a single last digit gives its value
        {L"ZZ 1", 8, {0x00, 0x01}},      // a pair not starting with a digit gives 0
        {L"-1", 8, {0xFF}},              // the reader accepts a sign
        {L"   ", 8, {}},
    };
    for (const auto& c : cases) {
        std::uint8_t out[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        std::size_t size = c.capacity;
        EXPECT_EQ(HexToBytes(c.text, out, size), !c.bytes.empty()) << "\"" << c.text << "\"";
        EXPECT_EQ(std::vector<std::uint8_t>(out, out + (c.bytes.empty() ? 0 : size)), c.bytes) << "\"" << c.text << "\"";
        EXPECT_EQ(out[c.bytes.size()], 0xEE) << "wrote past the bytes produced";
    }
    std::vector<std::uint8_t> bytes(4000, 0xAB);
    std::wstring text;
    ASSERT_TRUE(BytesToHex(bytes.data(), bytes.size(), text));
    EXPECT_EQ(text.size(), 8192u) << "2,731 bytes, the last pair whole";
    EXPECT_EQ(text.substr(text.size() - 3), L" AB");
}

TEST(Colors, AGradientTruncatesEachChannelAndStaysWithinItsEnds) {
    constexpr auto rgb = [](int r, int g, int b) { return static_cast<Color>(r | g << 8 | b << 16); };
    const std::vector<Color> palette = {rgb(0, 0, 0), rgb(100, 0, 0), rgb(255, 201, 0)};
    const std::pair<int, Color> cases[] = {{-3, rgb(0, 0, 0)}, {1, rgb(50, 0, 0)}, {2, rgb(100, 0, 0)},
                                           {3, rgb(177, 100, 0)}, {9, rgb(255, 201, 0)}};
    for (auto [value, color] : cases) EXPECT_EQ(InterpolateColor(value, 4, palette), color) << value;
    EXPECT_EQ(ColorToHex(rgb(0x12, 0x34, 0xAB)), L"1234AB");
}

// Rows are referred to by address while the list grows: none may move when a block is added, and
// clearing destroys each element once.
TEST(BlockList, ElementsStayWhereTheyWereBuiltAndAreDestroyedOnceEach) {
    struct Counted {
        explicit Counted(int v, int& destroyed) : value(v), destroyed_(destroyed) {}
        Counted(const Counted&) = delete;
        ~Counted() { ++destroyed_; }
        int value;
        int& destroyed_;
    };
    int destroyed = 0;
    BlockList<Counted, 4> list;
    const Counted* first = &list.emplace_back(0, destroyed);
    for (int i = 1; i < 10; ++i) list.emplace_back(i, destroyed);
    EXPECT_EQ(&list[0], first);
    ASSERT_EQ(list.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(list[static_cast<std::size_t>(i)].value, i);
    list.clear();
    EXPECT_EQ(destroyed, 10);
    EXPECT_TRUE(list.empty());
}

// A width stored at 96 DPI comes back unchanged after a session at any DPI a screen can have, and a
// shown column never comes back hidden.
TEST(DpiScale, StoredWidthsSurviveEveryScreenAndTheNearestPictureIsChosen) {
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        SCOPED_TRACE(dpi);
        for (int width = 0; width <= 2000; ++width) {
            const int scaled = ScaleToDpi(width, dpi);
            ASSERT_EQ(UnscaleFromDpi(scaled, dpi), width) << width << " shown as " << scaled;
            ASSERT_EQ(RescaleDpi(RescaleDpi(scaled, dpi, 120), 120, dpi), scaled) << width;
        }
        EXPECT_EQ(UnscaleFromDpi(1, dpi), 1);
    }
    const std::pair<int, int> rounded[] = {{1, 2}, {3, 5}, {-3, -5}, {110, 165}};  // at 144 DPI
    for (auto [value, scaled] : rounded) EXPECT_EQ(ScaleToDpi(value, 144), scaled) << value;
    EXPECT_EQ(ScaleToDpi(150, 0), 150) << "a DPI not known is 96";
    const std::pair<int, int> sizes[] = {{72, 16}, {96, 16}, {108, 20}, {120, 20}, {144, 24}, {168, 32}, {192, 32}, {288, 32}};
    for (auto [dpi, size] : sizes) EXPECT_EQ(ImageSizeForDpi(dpi), size) << dpi << " DPI";
}

// Every text of the dark theme reads on its background at WCAG AA (4.5:1), and its marked rows keep
// their hue. (The light colours are read back from the painted window in the window tests.)
TEST(Colors, DarkTextsReachContrastAAAndMarkedRowsKeepTheirHue) {
    EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Rgb(255, 255, 255), Rgb(119, 119, 119)), 4.48, 0.005) << "the grey that just fails AA";
    const Palette& dark = DarkPalette();
    const std::pair<const char*, TextColors> pairs[] = {
        {"list", dark.list}, {"header", dark.header}, {"status bar", dark.status}, {"dialog", dark.dialog},
        {"edit", dark.edit}, {"inactive selection", dark.inactiveSelection}, {"failed row", dark.failedRow}, {"amber row", dark.amberRow}, {"value", dark.value},
        {"status link", dark.statusLink}, {"dialog link", dark.dialogLink}, {"graph label", dark.graphLabel},
        {"graph legend", dark.graphLegend},
    };
    for (const auto& [name, colors] : pairs) {
        SCOPED_TRACE(name);
        EXPECT_GE(ContrastRatio(colors.text, colors.background), 4.5);
    }
    // The graph's lines and failure marks are no text: 3:1 against its background (WCAG 1.4.11).
    for (const Color line : dark.graphRows) EXPECT_GE(ContrastRatio(line, dark.graphLabel.background), 3.0) << line;
    EXPECT_GE(ContrastRatio(dark.graphFailed, dark.graphLabel.background), 3.0);
    const auto channel = [](Color color, int shift) { return static_cast<int>(color >> shift & 0xFF); };
    EXPECT_GT(channel(dark.failedRow.background, 0), 2 * channel(dark.failedRow.background, 8)) << "red";
    EXPECT_GT(channel(dark.amberRow.background, 8), 2 * channel(dark.amberRow.background, 16)) << "amber, not red";
    EXPECT_GT(channel(dark.amberRow.background, 0), channel(dark.amberRow.background, 8)) << "amber, not green";
}

// An abandoned call gives back the holds taken inside it, newest first, and names why going on is
// unsafe; the call around it keeps its own.
TEST(CallHolds, AnAbandonedCallGivesBackOnlyItsOwnHoldsNewestFirst) {
    struct Logged {
        std::vector<int>& log;
        int id;
        void lock() {}
        void unlock() { log.push_back(id); }
    };
    std::vector<int> log;
    Logged outer{log, 1}, first{log, 2}, second{log, 3};
    GuardedCallScope outerCall;
    const HeldLock heldByOuter(outer);
    {
        GuardedCallScope abandonedCall;
        alignas(HeldLock<Logged>) unsigned char frames[2][sizeof(HeldLock<Logged>)];  // never destroyed, as after a fault
        new (frames[0]) HeldLock(first, L"changing");
        new (frames[1]) HeldLock(second);
        EXPECT_STREQ(abandonedCall.ReleaseHolds(), L"changing");
        EXPECT_EQ(log, (std::vector<int>{3, 2}));
    }
    EXPECT_EQ(outerCall.ReleaseHolds(), nullptr);
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));
}

}  // namespace
}  // namespace es
