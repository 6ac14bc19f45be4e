#include <gtest/gtest.h>

#include "support/Color.h"
#include "support/FileFilter.h"

namespace es {
namespace {

constexpr Color Rgb(int r, int g, int b) { return static_cast<Color>(r | g << 8 | b << 16); }

TEST(ColorToHex, RedComesFirst) {
    EXPECT_EQ(ColorToHex(Rgb(224, 224, 224)), L"E0E0E0");
    EXPECT_EQ(ColorToHex(Rgb(0x12, 0x34, 0xAB)), L"1234AB");
    EXPECT_EQ(ColorToHex(0xFFFFFF), L"FFFFFF");
    EXPECT_EQ(ColorToHex(0), L"000000");
}

TEST(InterpolateColor, OneColourPaletteAlwaysGivesThatColour) {
    for (int value : {0, 3, 9})
        EXPECT_EQ(InterpolateColor(value, 9, {0xFFFFFF}), 0xFFFFFFu);
}

TEST(InterpolateColor, TruncatesEachChannel) {
    // Halfway from black to white is 127.5 in every channel, truncated.
    EXPECT_EQ(InterpolateColor(1, 2, {Rgb(0, 0, 0), Rgb(255, 255, 255)}), Rgb(127, 127, 127));
    EXPECT_EQ(InterpolateColor(0, 2, {Rgb(0, 0, 0), Rgb(255, 255, 255)}), Rgb(0, 0, 0));
    EXPECT_EQ(InterpolateColor(2, 2, {Rgb(0, 0, 0), Rgb(255, 255, 255)}), Rgb(255, 255, 255));
    // Falling channels truncate toward zero too: 200 - 150 * 1/3 = 150.
    EXPECT_EQ(InterpolateColor(1, 3, {Rgb(200, 10, 0), Rgb(50, 10, 0)}), Rgb(150, 10, 0));
}

TEST(InterpolateColor, WalksThroughSeveralColours) {
    std::vector<Color> palette = {Rgb(0, 0, 0), Rgb(100, 0, 0), Rgb(100, 200, 0)};
    EXPECT_EQ(InterpolateColor(1, 4, palette), Rgb(50, 0, 0));
    EXPECT_EQ(InterpolateColor(2, 4, palette), Rgb(100, 0, 0));
    EXPECT_EQ(InterpolateColor(3, 4, palette), Rgb(100, 100, 0));
    EXPECT_EQ(InterpolateColor(4, 4, palette), Rgb(100, 200, 0));
}

TEST(InterpolateColor, OutOfRangeInputsStayOnTheGradient) {
    std::vector<Color> palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    EXPECT_EQ(InterpolateColor(5, 0, palette), Rgb(0, 0, 0));
    EXPECT_EQ(InterpolateColor(-3, 4, palette), Rgb(0, 0, 0));
    EXPECT_EQ(InterpolateColor(9, 4, palette), Rgb(255, 255, 255));
}

TEST(BuildFileFilter, PairsGiveDisplayTextAndPatternEachTerminated) {
    std::wstring filter = BuildFileFilter({{L"Text", L"*.txt"}, {L"All", L"*.*"}});
    EXPECT_EQ(filter, std::wstring(L"Text (*.txt)\0*.txt\0All (*.*)\0*.*\0\0", 34));
}

TEST(BuildFileFilter, DisplayTextIsCutAt1023Characters) {
    std::wstring filter = BuildFileFilter({{std::wstring(1100, L'd'), L"*.x"}});
    EXPECT_EQ(filter.find(L'\0'), 1023u);
    EXPECT_EQ(filter.substr(1024), std::wstring(L"*.x\0\0", 5));
}

}  // namespace
}  // namespace es
