// Settings beyond the configuration file (whose bytes tests/win checks): command-line values,
// the window placement rule and the visible columns of a stored layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Configuration.h"
#include "common/BuiltInTexts.h"
#include "ping/PingItemList.h"
#include "settings/CommandLineSettings.h"

namespace {

using namespace es;

TEST(ColumnLayoutTest, VisibleColumnsFollowTheStoredLayout) {
    testing_es::BuiltInTexts texts;
    PingItemList list;
    list.Initialise(0);
    list.ComputeVisibleColumns();
    EXPECT_EQ(list.VisibleColumns(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    auto& layout = list.Layout();
    for (auto& entry : layout) entry = {0, 0};
    layout[3] = {10, 1};
    layout[7] = {10, 0};
    layout[2] = {10, 300};  // clamped to the last position
    layout[5] = {10, -4};   // clamped to the first
    layout[6] = {-1, 2};    // hidden
    list.ComputeVisibleColumns();
    EXPECT_EQ(list.VisibleColumns(), (std::vector<int>{5, 7, 3, 2}));
}

TEST(CommandLineSettingsTest, OverridesOnlyTheOptionsGiven) {
    CommandLine line;
    line.Parse(L"/pingtimeout 500 /AlwaysOnTop 1 /PingEverySeconds x7 /ShowInfoTip");
    CommandLineSettings store(line);
    AppSettings settings;
    settings.RememberHosts = 0;
    ExchangeAppSettings(settings, store);
    EXPECT_EQ(settings.PingTimeout, 500);
    EXPECT_EQ(settings.AlwaysOnTop, 1);
    EXPECT_EQ(settings.PingEverySeconds, 0);
    EXPECT_EQ(settings.ShowInfoTip, 0);    // the last word: an empty value
    EXPECT_EQ(settings.RememberHosts, 0);  // absent: unchanged, not the default
    EXPECT_EQ(store.Hits(), 4);

    std::uint8_t bytes[4] = {1, 2, 3, 4};
    std::size_t size = 4;
    EXPECT_EQ(store.ExchangeBinary(L"pingtimeout", bytes, size), 1);
    EXPECT_EQ(bytes[0], 1);
}

TEST(WindowPlacementTest, AppliesOnlyARectangleThatFitsTheScreen) {
    WindowPlacement p;
    p.showCmd = 1;
    p.top = 0;
    p.bottom = 400;
    auto at = [&](int left, int right) {
        p.left = left;
        p.right = right;
        return p.IsUsable(1024, 768);
    };
    EXPECT_TRUE(at(1003, 1300));
    EXPECT_FALSE(at(1004, 1300));  // left + 20 reaches the screen width
    EXPECT_FALSE(at(0, 20));       // not wider than 20
    EXPECT_FALSE(at(-100, 5));
    p.top = -11;
    EXPECT_FALSE(at(0, 500));
    p.top = 748;
    p.bottom = 900;
    EXPECT_FALSE(at(0, 500));
    p.top = 0;
    p.bottom = 400;
    p.showCmd = 0;
    EXPECT_FALSE(at(0, 500));

    // Extreme values pass the rule; what is applied is cut to the virtual screen.
    p.showCmd = 1;
    EXPECT_TRUE(at(INT32_MIN, INT32_MAX));
    const ScreenRect screen{-1280, 0, 1024, 768};
    EXPECT_EQ(p.NormalRectWithin(screen), (ScreenRect{-1280, 0, 1024, 400}));
    EXPECT_TRUE(at(100, 700));
    EXPECT_EQ(p.NormalRectWithin(screen), (ScreenRect{100, 0, 700, 400}));
}

}  // namespace
