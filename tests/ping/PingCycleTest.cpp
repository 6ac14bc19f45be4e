// The ping cycle's three steps per tick against a scripted echo service and a clock of the
// test's own: round start, refresh while pinging, completion and the pause after it.
#include <gtest/gtest.h>

#include "ping/FakeEcho.h"
#include "ping/PingCycle.h"

namespace {

using namespace es;
using testing_es::Eventually;

class PingCycleTest : public testing::Test {
protected:
    void SetUp() override {
        list.Engine().SetPlatformFactory([this] { return testing_es::MakeFakePlatform(echo); });
        settings.addressList = L"10.1.1.1-10.1.1.3";
        settings.PingEverySeconds = 2;
        list.BuildItems(settings);
    }
    bool SentBecomes(std::size_t n) { return Eventually([&] { return echo->Read(echo->sent).size() == n; }); }
    bool AllReported() { return Eventually([&] { return list.ResultsThisRound == list.Count(); }); }
    // A tick at now; returns how often it refreshed.
    int Tick(std::uint32_t now) {
        int refreshes = 0;
        cycle.Tick(now, settings, [&] { ++refreshes; });
        return refreshes;
    }

    std::shared_ptr<testing_es::FakeEcho::Shared> echo = std::make_shared<testing_es::FakeEcho::Shared>();
    AppSettings settings;
    PingItemList list;
    PingCycle cycle{list};
};

TEST_F(PingCycleTest, ThePauseIsMeasuredAcrossTheWrapAndClampedToWhatTheTickCountCanMeasure) {
    // Seconds, the completion tick, a later tick, and whether that tick starts the next round.
    const struct {
        std::int32_t seconds;
        std::uint32_t end, tick;
        bool starts;
    } cases[] = {
        {2, 0xFFFFFC18u, 999, false},           // 1,999 ms across the wrap
        {2, 0xFFFFFC18u, 1000, true},
        {0, 100, 200, true},
        {-5, 100, 200, true},                 // no pause, not one of 49 days
        {5000000, 100, 100 + 705032704, false},  // 5e9 ms must not wrap to 8 days
        {INT32_MAX, 0, 0xFFFFFFFEu, false},     // the longest pause the tick count holds, 1 ms short
    };
    std::size_t sent = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.seconds << " s, tick " << c.tick);
        settings.PingEverySeconds = c.seconds;
        cycle.Stop();
        cycle.Start(settings);
        ASSERT_TRUE(SentBecomes(sent += 3));
        ASSERT_TRUE(AllReported());
        Tick(c.end);
        Tick(c.tick);
        ASSERT_TRUE(SentBecomes(sent += c.starts ? 3 : 0));
        ASSERT_TRUE(Eventually([&] { return list.Row(2).PingCount() == sent / 3; }));
    }
}

TEST_F(PingCycleTest, AfterStopResultsLandButNothingIsRefreshedOrStartedAndASilentRowHoldsTheRound) {
    settings.PingEverySeconds = 0;
    echo->Hold(true);
    cycle.Start(settings);
    ASSERT_TRUE(SentBecomes(3));
    for (std::uint32_t now = 100; now <= 500; now += 100) Tick(now);
    EXPECT_FALSE(cycle.WaitingForNextRound) << "a round whose rows have not all reported never completes";
    cycle.Stop();
    echo->Hold(false);
    ASSERT_TRUE(AllReported());
    EXPECT_EQ(Tick(600), 0) << "no refresh while stopped";
    EXPECT_TRUE(cycle.WaitingForNextRound) << "the completion is recorded even while stopped";
    for (std::uint32_t now = 700; now <= 1000; now += 100) EXPECT_EQ(Tick(now), 0);
    EXPECT_EQ(echo->Read(echo->sent).size(), 3u);
    EXPECT_EQ(list.Row(0).SucceedCount, 1u);

    cycle.Start(settings);  // exactly one new round, and the held-back refresh
    ASSERT_TRUE(AllReported());
    EXPECT_EQ(Tick(1100), 1);
    EXPECT_EQ(echo->Read(echo->sent).size(), 6u);
}

}  // namespace
