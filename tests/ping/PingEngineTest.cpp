// Rounds through the engine against a scripted echo service and resolver: one request per row,
// each result counted once, names resolved once and many at a time, refusals retried, late
// results kept apart, and a shutdown that waits for nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "common/BuiltInTexts.h"
#include "ping/FakeEcho.h"
#include "ping/PingItemList.h"

namespace {

using namespace es;
using testing_es::Eventually;
using testing_es::FakeEcho;
using testing_es::FakeResolver;
using namespace std::chrono_literals;

class PingEngineTest : public testing::Test {
protected:
    void SetUp() override {
        list->Initialise(0);
        list->Engine().SetPlatformFactory([this] { return testing_es::MakeFakePlatform(echo, lookups); });
    }
    void Build(const wchar_t* addresses) {
        AppSettings settings;
        settings.addressList = addresses;
        list->Clear();
        list->BuildItems(settings);
    }
    bool RoundCompletes() {
        return Eventually([&] { return list->ResultsThisRound == list->Count(); });
    }
    void Release() { echo->Hold(false); }
    std::size_t Completed() {
        std::lock_guard lock(echo->lock);
        return echo->completed;
    }
    std::size_t Pending() {
        std::lock_guard lock(echo->lock);
        return echo->pending.size();
    }

    testing_es::BuiltInTexts texts;
    std::shared_ptr<FakeEcho::Shared> echo = std::make_shared<FakeEcho::Shared>();
    std::shared_ptr<FakeResolver::Shared> lookups = std::make_shared<FakeResolver::Shared>();
    std::unique_ptr<PingItemList> list = std::make_unique<PingItemList>();
};

TEST_F(PingEngineTest, EveryRowGetsOneRequestAndEveryResultCountsOnce) {
    Build(L"10.0.0.1-10.0.1.44");
    list->StartRound(700);
    ASSERT_TRUE(RoundCompletes());
    EXPECT_EQ(list->ResultsThisRound, 300u);
    std::map<std::uint32_t, int> perAddress;
    for (auto [address, timeout] : echo->sent) {
        ++perAddress[address];
        EXPECT_EQ(timeout, 700u);
    }
    EXPECT_EQ(perAddress.size(), 300u);
    for (std::size_t i = 0; i < list->Count(); ++i) {
        const PingItem& row = list->Row(i);
        SCOPED_TRACE(row.HostName);
        EXPECT_EQ(perAddress[row.Address], 1);
        EXPECT_EQ(row.SucceedCount, 1u);
        EXPECT_EQ(row.PingCount, 1u);
        EXPECT_EQ(row.LastTtl, 64u);
        EXPECT_EQ(row.ReplyAddress, row.Address);
        EXPECT_EQ(row.LastPingTime, row.Address >> 24);
    }
    EXPECT_LE(list->Engine().ThreadCount(), 1 + PingEngine::kMaxLookups);
}

TEST_F(PingEngineTest, RefusedRequestsAreSentAgainAndNeverReadAsReplies) {
    echo->capacity = 16;
    Build(L"10.0.0.1-10.0.1.244");
    list->StartRound(1000);
    ASSERT_TRUE(RoundCompletes());
    ASSERT_TRUE(Eventually([&] { return Completed() == echo->sent.size() + echo->refused; }));
    EXPECT_GT(echo->refused, 0u);
    EXPECT_LE(echo->maxInFlight, 16u);
    EXPECT_EQ(echo->sent.size(), 500u);
    for (std::size_t i = 0; i < list->Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list->Row(i).PingCount, 1u);
    }
}

TEST_F(PingEngineTest, NamesResolveOnceAndFailuresEveryRoundWithoutARequest) {
    Build(L"alpha nowhere 10.0.0.7");
    for (int round = 0; round < 2; ++round) {
        list->StartRound(1000);
        ASSERT_TRUE(RoundCompletes());
        ASSERT_TRUE(Eventually([&] { return list->Row(0).PingCount + list->Row(1).PingCount + list->Row(2).PingCount == 3u * (round + 1); }));
    }
    EXPECT_EQ(list->Row(0).Address, 0x0700000Au);
    EXPECT_EQ(list->Row(0).SucceedCount, 2u);
    EXPECT_EQ(list->Row(1).LastStatus, kStatusInvalidHost);
    EXPECT_EQ(list->Row(1).FailedCount, 2u);
    EXPECT_EQ(list->Row(1).Address, 0u);
    EXPECT_EQ(lookups->Lookups(L"alpha"), 1);
    EXPECT_EQ(lookups->Lookups(L"nowhere"), 2);
    EXPECT_EQ(lookups->Lookups(L"10.0.0.7"), 0);
    EXPECT_EQ(echo->sent.size(), 4u);
    for (auto [address, timeout] : echo->sent) EXPECT_NE(address, 0u);
}

TEST_F(PingEngineTest, LateResultsOfAnEarlierRoundUpdateRowsButNotTheCount) {
    Build(L"10.0.0.1-10.0.0.50");
    echo->held = true;
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 50; }));
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 100; }));
    Release();
    ASSERT_TRUE(Eventually([&] { return Completed() == 100; }));
    ASSERT_TRUE(Eventually([&] { return list->Row(49).PingCount == 2u; }));
    EXPECT_EQ(list->ResultsThisRound, 50u);
    for (std::size_t i = 0; i < list->Count(); ++i) EXPECT_EQ(list->Row(i).SucceedCount, 2u);
}

TEST_F(PingEngineTest, RowsRebuiltDuringARoundNeverTakeTheOldRowsResults) {
    Build(L"10.0.0.1-10.0.0.50");
    echo->held = true;
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 50; }));
    Build(L"10.0.0.1-10.0.0.50");
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 100; }));
    Release();
    ASSERT_TRUE(Eventually([&] { return Completed() == 100; }));
    ASSERT_TRUE(RoundCompletes());
    for (std::size_t i = 0; i < list->Count(); ++i) EXPECT_EQ(list->Row(i).PingCount, 1u);
}

TEST_F(PingEngineTest, WithoutAnEchoHandleRowsFailAndTheNextRoundTriesAgain) {
    echo->openFails = true;
    Build(L"10.0.0.1 10.0.0.2");
    list->StartRound(1000);
    ASSERT_TRUE(RoundCompletes());
    for (std::size_t i = 0; i < list->Count(); ++i) {
        EXPECT_EQ(list->Row(i).LastStatus, kStatusGeneralFailure);
        EXPECT_EQ(list->Row(i).FailedCount, 1u);
    }
    EXPECT_TRUE(echo->sent.empty());
    {
        std::lock_guard lock(echo->lock);
        EXPECT_EQ(echo->opens, 1u) << "once per round, not once per row";
        echo->openFails = false;
    }
    list->StartRound(1000);
    ASSERT_TRUE(RoundCompletes());
    ASSERT_TRUE(Eventually([&] { return list->Row(1).PingCount == 2u; }));
    EXPECT_EQ(list->Row(0).LastStatus, kStatusSuccess);
    EXPECT_EQ(echo->SentCount(), 2u);
}

TEST_F(PingEngineTest, SlowNamesAreLookedUpManyAtATimeAndEachNameOnce) {
    std::wstring names;
    for (int i = 0; i < 100; ++i) names += L"n" + std::to_wstring(i) + L" ";
    Build((names + L"n7 n7 loop1").c_str());  // 103 rows, 101 names
    lookups->Hold(true);
    list->StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return lookups->InFlight() == PingEngine::kMaxLookups; }));
    // A new round while the lookups run joins them instead of looking the names up again.
    list->StartRound(1000);
    std::this_thread::sleep_for(50ms);
    lookups->Hold(false);
    ASSERT_TRUE(RoundCompletes());
    ASSERT_TRUE(Eventually([&] { return lookups->InFlight() == 0; }));
    std::lock_guard lock(lookups->lock);
    EXPECT_EQ(lookups->maxInFlight, PingEngine::kMaxLookups);
    EXPECT_FALSE(lookups->sameNameTwice);
    EXPECT_EQ(lookups->lookups.size(), 101u);
    for (const auto& [name, count] : lookups->lookups) EXPECT_EQ(count, 1) << std::string(name.begin(), name.end());
    EXPECT_EQ(list->Row(50).LastStatus, kStatusInvalidHost);
    EXPECT_EQ(list->Row(102).Address, 0x0100007Fu);
}

TEST_F(PingEngineTest, ShutdownWaitsForNoEchoOrLookupAndNothingArrivesAfter) {
    Build(L"10.0.0.1-10.0.0.20 loop1 loop2 nowhere");
    echo->held = true;
    lookups->Hold(true);
    list->StartRound(20000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 20 && lookups->InFlight() == 3; }));
    list->Engine().Shutdown();
    list.reset();  // the rows are gone while echoes and lookups are still under way
    lookups->Hold(false);
    Release();
    // The engine's threads end by themselves and release the platform; the sanitizers watch
    // that none of them touches the rows on the way.
    EXPECT_TRUE(Eventually([&] { return echo.use_count() == 1; }));
}

TEST_F(PingEngineTest, ResetNeverInterleavesWithAResult) {
    Build(L"10.0.0.1-10.0.0.8");
    std::atomic<bool> done{false};
    std::thread results([&] {
        for (int i = 0; i < 20000; ++i) {
            const auto row = static_cast<std::size_t>(i % 8);
            list->ApplyResult({static_cast<int>(row), list->Row(row).RowId, i % 3 ? 0 : 10, 0x0100000A, 0x0100000A, 64, 7});
        }
        done = true;
    });
    while (!done) list->ResetStatistics();
    results.join();
    for (std::size_t i = 0; i < list->Count(); ++i) {
        const PingItem& row = list->Row(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(row.PingCount, row.SucceedCount + row.FailedCount);
        EXPECT_EQ(row.TotalPingTime, row.SucceedCount * 7);
    }
}

}  // namespace
