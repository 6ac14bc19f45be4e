// The ping cycle's three steps per tick against a scripted echo service and a clock of the
// test's own: round start, refresh while pinging, completion and the pause after it.
#include <gtest/gtest.h>

#include "common/BuiltInTexts.h"
#include "ping/FakeEcho.h"
#include "ping/PingCycle.h"

namespace {

using namespace es;
using testing_es::Eventually;
using testing_es::FakeEcho;

class PingCycleTest : public testing::Test {
protected:
    void SetUp() override {
        list.Initialise(0);
        list.Engine().SetPlatformFactory([this] { return testing_es::MakeFakePlatform(echo); });
        settings.addressList = L"10.1.1.1-10.1.1.3";
        settings.PingEverySeconds = 2;
        list.BuildItems(settings);
    }
    std::size_t Sent() { return echo->SentCount(); }
    void Hold(bool held) { echo->Hold(held); }
    bool AllReported() {
        return Eventually([&] { return list.ResultsThisRound == list.Count(); });
    }
    // A tick at now; returns how often it refreshed.
    int Tick(std::uint32_t now) {
        int refreshes = 0;
        cycle.Tick(now, settings, [&] { ++refreshes; });
        return refreshes;
    }

    testing_es::BuiltInTexts texts;
    std::shared_ptr<FakeEcho::Shared> echo = std::make_shared<FakeEcho::Shared>();
    AppSettings settings;
    PingItemList list;
    PingCycle cycle{list};
};

TEST_F(PingCycleTest, TheNextRoundStartsThePauseAfterTheCompletionNotAfterTheStart) {
    cycle.Start(settings);
    ASSERT_TRUE(AllReported());
    EXPECT_EQ(Tick(5000), 1);
    EXPECT_TRUE(cycle.WaitingForNextRound);
    EXPECT_EQ(cycle.RoundEndTick, 5000u);
    EXPECT_EQ(list.ResultsThisRound, 0u);

    EXPECT_EQ(Tick(6999), 0);
    EXPECT_EQ(Sent(), 3u) << "1,999 ms into a pause of 2 s";
    Tick(7000);
    EXPECT_FALSE(cycle.WaitingForNextRound);
    EXPECT_TRUE(Eventually([&] { return Sent() == 6; }));
    ASSERT_TRUE(AllReported());
    Tick(7100);
    EXPECT_EQ(list.Row(0).SucceedCount, 2u);
}

TEST_F(PingCycleTest, ThePauseIsMeasuredAcrossTheWrapOfTheTickCount) {
    cycle.Start(settings);
    ASSERT_TRUE(AllReported());
    Tick(0xFFFFFC18u);  // 1,000 ms before the wrap
    Tick(999);
    EXPECT_EQ(Sent(), 3u);
    Tick(1000);
    EXPECT_TRUE(Eventually([&] { return Sent() == 6; }));
}

TEST_F(PingCycleTest, ANoneNegativeOrHugePauseIsTakenAsTheTickCountCanMeasureIt) {
    // Seconds, a tick after the completion at 100, and whether that tick starts the next round.
    const struct {
        std::int32_t seconds;
        std::uint32_t tick;
        bool starts;
    } cases[] = {
        {0, 200, true},
        {-5, 200, true},                    // no pause, not one of 49 days
        {5000000, 100 + 705032704, false},  // 5e9 ms must not wrap to 8 days
        {INT32_MAX, 0xFFFFFFFFu, false},
    };
    std::size_t sent = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        settings.PingEverySeconds = c.seconds;
        cycle.Stop();
        cycle.Start(settings);
        sent += 3;
        ASSERT_TRUE(Eventually([&] { return Sent() == sent; }));
        ASSERT_TRUE(AllReported());
        Tick(100);
        Tick(c.tick);
        if (c.starts) sent += 3;
        ASSERT_TRUE(Eventually([&] { return Sent() == sent && list.ResultsThisRound == (c.starts ? 3u : 0u); }));
        Tick(c.tick);
    }
}

TEST_F(PingCycleTest, WithoutRepeatingEveryRowIsPingedExactlyOnceAndPingingStaysOn) {
    settings.PingEvery = 0;
    settings.PingEverySeconds = 0;
    cycle.Start(settings);
    ASSERT_TRUE(AllReported());
    for (std::uint32_t now = 100; now <= 3000; now += 100) Tick(now);
    EXPECT_EQ(Sent(), 3u);
    EXPECT_TRUE(cycle.PingingActive);
    EXPECT_TRUE(cycle.WaitingForNextRound);

    // Stop, then Start: once more, with the statistics kept.
    cycle.Stop();
    cycle.Start(settings);
    ASSERT_TRUE(AllReported());
    for (std::uint32_t now = 3100; now <= 4000; now += 100) Tick(now);
    EXPECT_EQ(Sent(), 6u);
    EXPECT_EQ(list.Row(2).SucceedCount, 2u);
}

TEST_F(PingCycleTest, AfterStopResultsStillLandInTheRowsButNothingIsRefreshedOrStarted) {
    settings.PingEverySeconds = 0;
    Hold(true);
    cycle.Start(settings);
    ASSERT_TRUE(Eventually([&] { return Sent() == 3; }));
    cycle.Stop();
    Hold(false);
    ASSERT_TRUE(AllReported());
    EXPECT_EQ(Tick(100), 0) << "no refresh while stopped";
    EXPECT_TRUE(cycle.WaitingForNextRound) << "the completion is recorded even while stopped";
    for (std::uint32_t now = 200; now <= 1000; now += 100) EXPECT_EQ(Tick(now), 0);
    EXPECT_EQ(Sent(), 3u);
    EXPECT_EQ(list.Row(0).SucceedCount, 1u);

    // Start after the completed round: exactly one new round, and the held-back refresh.
    cycle.Start(settings);
    EXPECT_FALSE(cycle.WaitingForNextRound);
    ASSERT_TRUE(AllReported());
    EXPECT_EQ(Tick(1100), 1);
    EXPECT_EQ(Sent(), 6u);
    settings.PingEverySeconds = 30;
    EXPECT_EQ(Tick(1150), 0) << "one refresh for everything that arrived before the tick";
}

TEST_F(PingCycleTest, ARoundWithARowThatNeverReportsNeverCompletes) {
    Hold(true);
    cycle.Start(settings);
    ASSERT_TRUE(Eventually([&] { return Sent() == 3; }));
    for (std::uint32_t now = 100; now <= 5000; now += 100) Tick(now);
    EXPECT_FALSE(cycle.WaitingForNextRound);
    Hold(false);
}

TEST_F(PingCycleTest, ChangedRowsAreReportedOnceEachUntilTaken) {
    cycle.Start(settings);
    ASSERT_TRUE(AllReported());
    std::vector<std::size_t> changed = list.TakeChangedRows();
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_TRUE(list.TakeChangedRows().empty());
}

}  // namespace
