// Rounds through the engine against a scripted echo service and resolver: one request per row,
// each result counted once, names resolved once, refusals retried, late results kept apart.
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

class PingEngineTest : public testing::Test {
protected:
    void SetUp() override {
        list.Initialise(0);
        list.SetPlatformFactory([this] {
            EchoPlatform platform;
            platform.echo = std::make_unique<FakeEcho>(echo);
            auto r = std::make_unique<FakeResolver>();
            resolver = r.get();
            platform.resolver = std::move(r);
            return platform;
        });
    }
    void Build(const wchar_t* addresses) {
        AppSettings settings;
        settings.addressList = addresses;
        list.Clear();
        list.BuildItems(settings);
    }
    bool RoundCompletes() {
        return Eventually([&] { return list.ResultsThisRound == list.Count(); });
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
    FakeResolver* resolver = nullptr;
    PingItemList list;
};

TEST_F(PingEngineTest, EveryRowGetsOneRequestAndEveryResultCountsOnce) {
    Build(L"10.0.0.1-10.0.1.44");
    list.StartRound(700);
    ASSERT_TRUE(RoundCompletes());
    EXPECT_EQ(list.ResultsThisRound, 300u);
    std::map<std::uint32_t, int> perAddress;
    for (auto [address, timeout] : echo->sent) {
        ++perAddress[address];
        EXPECT_EQ(timeout, 700u);
    }
    EXPECT_EQ(perAddress.size(), 300u);
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const PingItem& row = list.Row(i);
        SCOPED_TRACE(row.HostName);
        EXPECT_EQ(perAddress[row.Address], 1);
        EXPECT_EQ(row.SucceedCount, 1u);
        EXPECT_EQ(row.PingCount, 1u);
        EXPECT_EQ(row.LastTtl, 64u);
        EXPECT_EQ(row.ReplyAddress, row.Address);
        EXPECT_EQ(row.LastPingTime, row.Address >> 24);
    }
    EXPECT_LE(list.ThreadCount(), 1 + PingEngine::kResolverThreads);
}

TEST_F(PingEngineTest, RefusedRequestsAreSentAgainAndNeverReadAsReplies) {
    echo->capacity = 16;
    Build(L"10.0.0.1-10.0.1.244");
    list.StartRound(1000);
    ASSERT_TRUE(RoundCompletes());
    ASSERT_TRUE(Eventually([&] { return Completed() == echo->sent.size() + echo->refused; }));
    EXPECT_GT(echo->refused, 0u);
    EXPECT_LE(echo->maxInFlight, 16u);
    EXPECT_EQ(echo->sent.size(), 500u);
    for (std::size_t i = 0; i < list.Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.Row(i).PingCount, 1u);
    }
}

TEST_F(PingEngineTest, NamesResolveOnceAndFailuresEveryRoundWithoutARequest) {
    Build(L"alpha nowhere 10.0.0.7");
    for (int round = 0; round < 2; ++round) {
        list.StartRound(1000);
        ASSERT_TRUE(RoundCompletes());
        ASSERT_TRUE(Eventually([&] { return list.Row(0).PingCount + list.Row(1).PingCount + list.Row(2).PingCount == 3u * (round + 1); }));
    }
    EXPECT_EQ(list.Row(0).Address, 0x0700000Au);
    EXPECT_EQ(list.Row(0).SucceedCount, 2u);
    EXPECT_EQ(list.Row(1).LastStatus, kStatusInvalidHost);
    EXPECT_EQ(list.Row(1).FailedCount, 2u);
    EXPECT_EQ(list.Row(1).Address, 0u);
    EXPECT_EQ(resolver->lookups[L"alpha"], 1);
    EXPECT_EQ(resolver->lookups[L"nowhere"], 2);
    EXPECT_EQ(resolver->lookups.count(L"10.0.0.7"), 0u);
    EXPECT_EQ(echo->sent.size(), 4u);
    for (auto [address, timeout] : echo->sent) EXPECT_NE(address, 0u);
}

TEST_F(PingEngineTest, LateResultsOfAnEarlierRoundUpdateRowsButNotTheCount) {
    Build(L"10.0.0.1-10.0.0.50");
    echo->held = true;
    list.StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 50; }));
    list.StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 100; }));
    Release();
    ASSERT_TRUE(Eventually([&] { return Completed() == 100; }));
    ASSERT_TRUE(Eventually([&] { return list.Row(49).PingCount == 2u; }));
    EXPECT_EQ(list.ResultsThisRound, 50u);
    for (std::size_t i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Row(i).SucceedCount, 2u);
}

TEST_F(PingEngineTest, RowsRebuiltDuringARoundNeverTakeTheOldRowsResults) {
    Build(L"10.0.0.1-10.0.0.50");
    echo->held = true;
    list.StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 50; }));
    Build(L"10.0.0.1-10.0.0.50");
    list.StartRound(1000);
    ASSERT_TRUE(Eventually([&] { return Pending() == 100; }));
    Release();
    ASSERT_TRUE(Eventually([&] { return Completed() == 100; }));
    ASSERT_TRUE(RoundCompletes());
    for (std::size_t i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Row(i).PingCount, 1u);
}

TEST_F(PingEngineTest, WithoutAnEchoHandleEveryRowFailsAndNothingIsSent) {
    echo->openFails = true;
    Build(L"10.0.0.1 10.0.0.2");
    list.StartRound(1000);
    ASSERT_TRUE(RoundCompletes());
    for (std::size_t i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.Row(i).LastStatus, kStatusGeneralFailure);
        EXPECT_EQ(list.Row(i).FailedCount, 1u);
        EXPECT_EQ(list.Row(i).SucceedCount, 0u);
    }
    EXPECT_TRUE(echo->sent.empty());
}

}  // namespace
