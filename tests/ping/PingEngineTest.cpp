// Rounds through the engine against a scripted echo service and resolver: one request per row,
// each result counted once, refusals sent again, names looked up many at a time and each once,
// late results kept apart and those of rows rebuilt or gone dropped, a missing echo handle tried
// again, and a shutdown that waits for nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <thread>

#include "ping/FakeEcho.h"
#include "ping/PingItemList.h"

namespace {

using namespace es;
using namespace std::chrono_literals;
using testing_es::Eventually;

class PingEngineTest : public testing::Test {
protected:
    void SetUp() override {
        list->Initialise(0);
        list->Engine().SetPlatformFactory([this] { return testing_es::MakeFakePlatform(echo, lookups); });
    }
    void Build(const wchar_t* addresses) {
        list->Clear();
        list->BuildItems({.addressList = addresses});
    }
    bool RoundCompletes() { return Eventually([&] { return list->ResultsThisRound == list->Count(); }); }
    std::uint32_t Pings(std::size_t row) { return list->Row(row).PingCount(); }

    std::shared_ptr<testing_es::FakeEcho::Shared> echo = std::make_shared<testing_es::FakeEcho::Shared>();
    std::shared_ptr<testing_es::FakeResolver::Shared> lookups = std::make_shared<testing_es::FakeResolver::Shared>();
    std::unique_ptr<PingItemList> list = std::make_unique<PingItemList>();
};

TEST_F(PingEngineTest, EveryRowGetsOneRequestEvenWhenThePlatformRefusesSome) {
    echo->capacity = 16;
    Build(L"10.0.0.1-10.0.1.244");
    list->StartRound(700);
    ASSERT_TRUE(RoundCompletes());
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->completed) == echo->sent.size() + echo->refused; }));
    EXPECT_GT(echo->refused, 0u);
    std::map<std::uint32_t, int> perAddress;
    for (auto [address, timeout] : echo->sent) perAddress[address] += timeout == 700 ? 1 : 100;
    EXPECT_EQ(perAddress.size(), 500u);
    for (std::size_t i = 0; i < list->Count(); ++i) {
        const PingItem& row = list->Row(i);
        ASSERT_EQ(perAddress[row.Address], 1) << i;
        ASSERT_EQ(row.PingCount(), 1u) << i;
        ASSERT_EQ(row.SucceedCount, 1u) << i;
        ASSERT_EQ(row.LastTtl, 64u) << i;
        ASSERT_EQ(row.LastPingTime, row.Address >> 24) << i;
    }
}

TEST_F(PingEngineTest, NamesResolveOnceAndFailuresEveryRoundWithoutARequest) {
    Build(L"alpha nowhere 10.0.0.7");
    for (std::uint32_t round = 1; round <= 2; ++round) {
        list->StartRound(1000);
        ASSERT_TRUE(Eventually([&] { return Pings(0) + Pings(1) + Pings(2) == 3 * round; }));
    }
    EXPECT_EQ(list->Row(0).Address, 0x0700000Au);
    EXPECT_EQ(std::tuple(list->Row(1).LastStatus.load(), list->Row(1).FailedCount.load(), list->Row(1).Address.load()),
              std::tuple(kStatusInvalidHost, 2u, 0u));
    auto looked = lookups->Read(lookups->lookups);
    EXPECT_EQ(std::tuple(looked[L"alpha"], looked[L"nowhere"], looked[L"10.0.0.7"]), std::tuple(1, 2, 0));
    EXPECT_EQ(echo->Read(echo->sent).size(), 4u);
}

TEST_F(PingEngineTest, SlowNamesAreLookedUpManyAtATimeAndEachNameOnce) {
    std::wstring names;
    for (int i = 0; i < 100; ++i) names += L"n" + std::to_wstring(i) + L" ";
    Build((names + L"n7 n7 loop1").c_str());  // 103 rows, 101 names
    lookups->Hold(true);
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return lookups->Read(lookups->inFlight) == PingEngine::kMaxLookups; }));
    list->StartRound(1000);  // joins the lookups under way instead of starting them again
    std::this_thread::sleep_for(50ms);
    lookups->Hold(false);
    ASSERT_TRUE(RoundCompletes());
    ASSERT_TRUE(Eventually([&] { return lookups->Read(lookups->inFlight) == 0; }));
    std::lock_guard lock(lookups->lock);
    EXPECT_EQ(lookups->maxInFlight, PingEngine::kMaxLookups);
    EXPECT_EQ(lookups->lookups.size(), 101u);
    for (const auto& [name, count] : lookups->lookups) EXPECT_EQ(count, 1);
}

TEST_F(PingEngineTest, LateResultsLandInTheirRowsButNeverInRebuiltOnesOrTheNewCount) {
    Build(L"10.0.0.1-10.0.0.50");
    echo->held = true;
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->pending).size() == 50; }));
    list->StartRound(1000);  // same rows: the first round's results still apply
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->pending).size() == 100; }));
    echo->Hold(false);
    ASSERT_TRUE(Eventually([&] { return Pings(49) == 2; }));
    EXPECT_EQ(list->ResultsThisRound, 50u);

    echo->Hold(true);
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->pending).size() == 50; }));
    Build(L"10.0.0.1-10.0.0.20");  // fewer rows, rebuilt: the old round's results are dropped, also past the end
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->pending).size() == 70; }));
    echo->Hold(false);
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->completed) == 170; }));
    ASSERT_TRUE(RoundCompletes());
    for (std::size_t i = 0; i < list->Count(); ++i) EXPECT_EQ(Pings(i), 1u) << i;
}

// A platform that never completes a request must not hold the round up for good: past twice its
// timeout and the grace the request counts as timed out, and its late completion is ignored.
TEST_F(PingEngineTest, RequestsThePlatformNeverAnswersTimeOutAndTheirLateCompletionIsIgnored) {
    list->Engine().SetAbandonGrace(50);
    Build(L"10.0.0.1-10.0.0.30");
    echo->held = true;
    list->StartRound(20);
    ASSERT_TRUE(RoundCompletes());
    echo->Hold(false);
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->completed) == 30; }));
    for (std::size_t i = 0; i < list->Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Pings(i), 1u);
        EXPECT_EQ(list->Row(i).LastStatus.load(), kStatusTimedOut);
    }
}

TEST_F(PingEngineTest, WithoutAnEchoHandleRowsFailAndTheNextRoundTriesAgain) {
    echo->openFails = true;
    Build(L"10.0.0.1 10.0.0.2");
    list->StartRound(1000);
    ASSERT_TRUE(RoundCompletes());
    EXPECT_EQ(std::tuple(list->Row(1).LastStatus.load(), list->Row(1).FailedCount.load()),
              std::tuple(kStatusGeneralFailure, 1u));
    EXPECT_EQ(echo->Read(echo->opens), 1u) << "once per round, not once per row";
    {
        std::lock_guard lock(echo->lock);
        echo->openFails = false;
    }
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pings(1) == 2; }));
    EXPECT_EQ(echo->Read(echo->sent).size(), 2u);
}

TEST_F(PingEngineTest, ShutdownWaitsForNoEchoOrLookupAndNothingArrivesAfter) {
    Build(L"10.0.0.1-10.0.0.20 loop1 loop2 nowhere");
    echo->held = true;
    lookups->Hold(true);
    list->StartRound(20000);
    ASSERT_TRUE(Eventually([&] { return echo->Read(echo->pending).size() == 20 && lookups->Read(lookups->inFlight) == 3; }));
    list->Engine().Shutdown();
    list.reset();  // the rows are gone while echoes and lookups are still under way
    lookups->Hold(false);
    echo->Hold(false);
    // The threads end by themselves and release the platform; the sanitizers watch that none of
    // them touches the rows on the way.
    EXPECT_TRUE(Eventually([&] { return echo.use_count() == 1; }));
}

// Results arrive throughout Resets and sorts: a Reset never splits a result, and every sort shows
// every row once.
TEST_F(PingEngineTest, ResetsAndSortsWhileResultsArrive) {
    Build(L"10.0.0.1-10.0.3.232");
    std::atomic<bool> done{false};
    std::thread results([&] {
        for (int i = 0; i < 20000; ++i) {
            const auto row = static_cast<std::size_t>(i * 7 % 1000);
            list->ApplyResult({static_cast<int>(row), list->Row(row).RowId, i % 3 ? 0 : 10, 1, 1, 64, 7});
        }
        done = true;
    });
    const int keys[] = {kFieldAverage, kFieldSucceeded | kSortDescending, kFieldStatus};
    for (int pass = 0; pass == 0 || !done; ++pass) {
        list->ResetStatistics();
        std::vector<std::uint32_t> order(list->Count());
        std::iota(order.begin(), order.end(), 0);
        list->SortOrder(keys[pass % 3], order);
        std::sort(order.begin(), order.end());
        EXPECT_EQ(std::adjacent_find(order.begin(), order.end()), order.end()) << "a row shown twice";
        EXPECT_EQ(order.back(), list->Count() - 1) << "a row missing";
    }
    results.join();
    for (std::size_t i = 0; i < list->Count(); ++i) {
        const PingItem& row = list->Row(i);
        std::array<std::uint16_t, kHistoryLength> kept{};
        const std::size_t count = row.History(kept);
        EXPECT_EQ(static_cast<std::size_t>(std::count(kept.begin(), kept.begin() + count, kHistoryFailure)), row.HistoryFailures()) << i;
        EXPECT_EQ(row.TotalPingTime, row.SucceedCount * 7) << i;
    }
}

}  // namespace
