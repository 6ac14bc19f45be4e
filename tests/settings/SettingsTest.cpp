// Settings beyond the configuration file (whose bytes tests/win checks): command-line values and
// the window placement rule.
#include <gtest/gtest.h>

#include <tuple>

#include "app/Configuration.h"
#include "settings/CommandLineSettings.h"

namespace {

using namespace es;

TEST(CommandLineSettingsTest, OverridesOnlyTheOptionsGiven) {
    CommandLine line;
    line.Parse(L"/pingtimeout 500 /AlwaysOnTop 1 /PingEverySeconds x7 /ShowInfoTip");
    CommandLineSettings store(line);
    AppSettings settings{.RememberHosts = 0};
    ExchangeAppSettings(settings, store);
    // The last word gives an empty value; an absent option leaves the value, not the default.
    EXPECT_EQ(std::tuple(settings.PingTimeout, settings.AlwaysOnTop, settings.PingEverySeconds, settings.ShowInfoTip,
                         settings.RememberHosts, store.Hits()),
              std::tuple(500, 1, 0, 0, 0, 4));
    line.Parse(L"/DownAfterFailures 7 /LogStateChanges 1 /UpAfterSuccesses 0 /Theme 2");
    CommandLineSettings watching(line);
    ExchangeWatchSettings(settings, watching);
    ExchangeThemeSetting(settings, watching);
    EXPECT_EQ(settings.Theme, kThemeDark);
    EXPECT_EQ(settings.DownAfterFailures, 7);
    EXPECT_EQ(settings.LogStateChanges, 1);
    EXPECT_EQ(settings.UpAfterSuccesses, 1) << "brought within 1-100";
    EXPECT_EQ(settings.NotifyOnChange, 1) << "not given: left as it was";
}

TEST(WindowPlacementTest, AppliesOnlyARectangleThatFitsTheScreenCutToTheVirtualScreen) {
    // left, top, right, bottom, show command; usable on a 1024 x 768 screen?
    const std::pair<WindowPlacement, bool> cases[] = {
        {{44, 0, 1, 0, 0, 0, 0, 1003, 0, 1300, 400}, true},
        {{44, 0, 1, 0, 0, 0, 0, 1004, 0, 1300, 400}, false},  // left + 20 reaches the screen width
        {{44, 0, 1, 0, 0, 0, 0, 0, 0, 20, 400}, false},       // not wider than 20
        {{44, 0, 1, 0, 0, 0, 0, -100, 0, 5, 400}, false},
        {{44, 0, 1, 0, 0, 0, 0, 0, -11, 500, 400}, false},
        {{44, 0, 1, 0, 0, 0, 0, 0, 748, 500, 900}, false},
        {{44, 0, 0, 0, 0, 0, 0, 0, 0, 500, 400}, false},     // never shown
        {{44, 0, 1, 0, 0, 0, 0, INT32_MIN, 0, INT32_MAX, 400}, true},
    };
    for (const auto& [placement, usable] : cases) EXPECT_EQ(placement.IsUsable(1024, 768), usable) << (&placement - &cases[0].first);
    const ScreenRect screen{-1280, 0, 1024, 768};
    EXPECT_EQ(cases[7].first.NormalRectWithin(screen), (ScreenRect{-1280, 0, 1024, 400})) << "no overflow, on screen";
    EXPECT_EQ(cases[0].first.NormalRectWithin(screen), (ScreenRect{1003, 0, 1024, 400}));
}

}  // namespace
