// Row texts, orderings and statistics of the ping list.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "common/BuiltInTexts.h"
#include "ping/PingItemList.h"

namespace {

using namespace es;

class PingListTest : public testing::Test {
protected:
    void Build(const wchar_t* addresses) {
        AppSettings settings;
        settings.addressList = addresses;
        list.Clear();
        list.BuildItems(settings);
    }
    void Result(int index, int status, std::uint32_t rtt, std::uint32_t ttl = 0) {
        const PingItem& row = list.Row(static_cast<std::size_t>(index));
        ASSERT_TRUE(list.ApplyResult({index, row.RowId, status, row.Address.load(), row.Address.load(), ttl, rtt}));
    }
    std::wstring Text(int index, int field) { return list.Row(static_cast<std::size_t>(index)).GetText(field); }

    testing_es::BuiltInTexts texts;
    PingItemList list;
};

TEST_F(PingListTest, ARowWithoutResultsShowsCountersOnly) {
    list.Initialise(0);
    Build(L"10.0.0.1");
    EXPECT_EQ(Text(0, kFieldHost), L"10.0.0.1");
    EXPECT_EQ(Text(0, kFieldAddress), L"10.0.0.1");
    EXPECT_EQ(Text(0, kFieldReplyAddress), L"");
    EXPECT_EQ(Text(0, kFieldSucceeded), L"0");
    EXPECT_EQ(Text(0, kFieldFailed), L"0");
    for (int field : {int{kFieldStatus}, int{kFieldLastTime}, int{kFieldTtl}, int{kFieldAverage}, int{kFieldDescription}, 10, -1})
        EXPECT_EQ(Text(0, field), L"") << "field " << field;
    EXPECT_EQ(list.GetItemImage(list.Row(0)), 0);
}

TEST_F(PingListTest, FailuresKeepTheLastTimeAndCountSeparately) {
    Build(L"10.0.0.1");
    Result(0, kStatusSuccess, 20, 64);
    Result(0, 10, 0);
    EXPECT_EQ(Text(0, kFieldLastTime), L"20");
    EXPECT_EQ(Text(0, kFieldStatus), L"請求逾時");
    EXPECT_EQ(Text(0, kFieldFailed), L"1");
    EXPECT_EQ(Text(0, kFieldSucceeded), L"1");
    EXPECT_EQ(Text(0, kFieldAverage), L"20");
    EXPECT_EQ(Text(0, kFieldTtl), L"");
    EXPECT_EQ(list.GetItemImage(list.Row(0)), 2);
    EXPECT_EQ(list.Row(0).PingCount.load(), 2u);

    Build(L"10.0.0.2");
    Result(0, 8, 0);  // a status without a text
    EXPECT_EQ(Text(0, kFieldStatus), L"");
    EXPECT_EQ(Text(0, kFieldLastTime), L"0");
    EXPECT_EQ(Text(0, kFieldAverage), L"");
    EXPECT_EQ(list.GetItemImage(list.Row(0)), 2);
}

TEST_F(PingListTest, AverageRoundsHalvesUp) {
    Build(L"a b");
    Result(0, 0, 12);
    Result(0, 0, 13);
    Result(1, 0, 13);
    Result(1, 0, 14);
    EXPECT_EQ(Text(0, kFieldAverage), L"13");
    EXPECT_EQ(Text(1, kFieldAverage), L"14");
    EXPECT_EQ(list.GetItemImage(list.Row(0)), 1);
}

TEST_F(PingListTest, SortingComparesAddressesFourthOctetFirstAndTextsWithoutCase) {
    list.Initialise(0);
    Build(L"192.168.0.1 10.0.0.2 Beta alpha");
    const auto& a = list.ItemAt(0);
    const auto& b = list.ItemAt(1);
    EXPECT_GT(list.CompareRecords(kFieldAddress, b, a), 0);
    EXPECT_LT(list.CompareRecords(kFieldAddress | kSortDescending, b, a), 0);
    EXPECT_GT(list.CompareRecords(kFieldHost, list.ItemAt(2), list.ItemAt(3)), 0);
    EXPECT_EQ(list.CompareRecords(kFieldStatus, list.ItemAt(2), list.ItemAt(3)), 0);
    Result(2, 0, 25);
    Result(2, 0, 0);
    Result(3, 0, 12);
    // Averages 13 and 12 compare as numbers, not as texts.
    EXPECT_GT(list.CompareRecords(kFieldAverage, list.ItemAt(2), list.ItemAt(3)), 0);
}

TEST_F(PingListTest, ResultsOfRebuiltRowsAreRejected) {
    Build(L"10.0.0.1 10.0.0.2");
    std::uint32_t oldId = list.Row(1).RowId;
    EXPECT_FALSE(list.ApplyResult({2, oldId, 0, 0, 0, 0, 1}));
    EXPECT_FALSE(list.ApplyResult({-1, oldId, 0, 0, 0, 0, 1}));
    Build(L"10.0.0.1 10.0.0.2");
    EXPECT_NE(list.Row(1).RowId, oldId);
    EXPECT_FALSE(list.ApplyResult({1, oldId, 0, 0, 0, 0, 1}));
    EXPECT_EQ(list.ResultsThisRound.load(), 0u);
    EXPECT_EQ(Text(1, kFieldSucceeded), L"0");
}

TEST_F(PingListTest, ResetKeepsAddressesAndClearsStatistics) {
    Build(L"host");
    const PingItem& row = list.Row(0);
    ASSERT_TRUE(list.ApplyResult({0, row.RowId, 0, 0x0100007F, 0x0100007F, 128, 3}));
    list.ResetStatistics();
    EXPECT_EQ(Text(0, kFieldAddress), L"127.0.0.1");
    EXPECT_EQ(Text(0, kFieldReplyAddress), L"127.0.0.1");
    EXPECT_EQ(Text(0, kFieldStatus), L"");
    EXPECT_EQ(Text(0, kFieldSucceeded), L"0");
    EXPECT_EQ(Text(0, kFieldTtl), L"");
    EXPECT_EQ(row.PingCount.load(), 0u);
}

TEST_F(PingListTest, ResultsFromManyThreadsAreAllCounted) {
    Build(L"10.0.0.1-10.0.0.100");
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&, t] {
            for (int i = t; i < 100; i += 4) list.ApplyResult({i, list.Row(static_cast<std::size_t>(i)).RowId, 0, 0, 0, 0, 1});
        });
    }
    for (auto& w : workers) w.join();
    EXPECT_EQ(list.ResultsThisRound.load(), 100u);
    EXPECT_EQ(list.ResultsChanged.load(), 1);
}

TEST_F(PingListTest, ProgressIsReportedEvery50Rows) {
    AppSettings settings;
    settings.addressList = L"10.0.0.1-10.0.0.160";
    std::vector<std::size_t> reported;
    list.BuildItems(settings, [&](std::size_t count) { reported.push_back(count); });
    EXPECT_EQ(reported, (std::vector<std::size_t>{50, 100, 150}));
}

}  // namespace
