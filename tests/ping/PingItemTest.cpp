// Row texts, icons, orderings and statistics of the ping list.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "common/BuiltInTexts.h"
#include "common/LocalZone.h"
#include "ping/PingItemList.h"

namespace {

using namespace es;


class PingListTest : public testing::Test {
protected:
    void Build(const wchar_t* addresses) {
        list.Clear();
        list.BuildItems({.addressList = addresses});
    }
    void Result(int index, int status, std::uint32_t rtt, std::uint32_t ttl = 0) {
        const PingItem& row = list.Row(static_cast<std::size_t>(index));
        ASSERT_TRUE(list.ApplyResult({index, row.RowId, status, row.Address.load(), row.Address.load(), ttl, rtt}));
    }
    // Fields 0 to 9 of the row, and its icon.
    std::vector<std::wstring> Texts(int index) {
        std::vector<std::wstring> texts;
        for (int field = 0; field < 10; ++field) texts.push_back(list.Row(static_cast<std::size_t>(index)).GetText(field));
        texts.push_back(std::to_wstring(list.GetItemImage(list.Row(static_cast<std::size_t>(index)))));
        return texts;
    }

    testing_es::BuiltInTexts texts;
    PingItemList list;
};

TEST_F(PingListTest, CellsAndIconsThroughSuccessesAndFailures) {
    list.Initialise(0);
    Build(L"10.0.0.1 a b 10.0.0.2");
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"10.0.0.1", L"10.0.0.1", L"", L"0", L"0", L"", L"", L"", L"", L"", L"0"}));
    Result(0, kStatusSuccess, 20, 64);
    Result(0, 10, 0);  // a timeout keeps the last time and the average
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"10.0.0.1", L"10.0.0.1", L"10.0.0.1", L"1", L"1", L"請求逾時", L"20",
                                                   L"", L"20", L"", L"2"}));
    Result(3, 8, 0);  // a status without a text: empty cell, failed icon
    EXPECT_EQ(Texts(3), (std::vector<std::wstring>{L"10.0.0.2", L"10.0.0.2", L"10.0.0.2", L"0", L"1", L"", L"0", L"", L"",
                                                   L"", L"2"}));
    // Averages round halves up, not to even: 25 / 2 = 13.
    Result(1, 0, 12);
    Result(1, 0, 13);
    EXPECT_EQ(Texts(1)[kFieldAverage], L"13");
    EXPECT_EQ(Texts(1)[10], L"1");
    // Addresses sort as numbers with the fourth octet first, descending here; rows without one
    // keep the order shown. A status is a computed text: the empty ones first, the two successes
    // in the order shown.
    Build(L"192.168.0.1 10.0.0.2 Beta alpha");
    std::vector<std::uint32_t> order = {0, 1, 2, 3};
    list.SortOrder(kFieldAddress | kSortDescending, order);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{1, 0, 2, 3}));
    Result(1, 0, 5);
    Result(3, 0, 5);
    order = {3, 0, 1, 2};
    list.SortOrder(kFieldStatus, order);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{0, 2, 3, 1}));
}

// Results land while the window sorts. Here each read of a value changes it, as a worker would:
// the order must follow one value per record, or the sort has no consistent order to find. Numbers
// of 32 bits and wider ones (at 2^33 and more) take different ways through the sort.
TEST(SortOrderTest, ValuesChangingDuringTheSortGiveTheOrderOfOneReadingPerRecord) {
    struct Drifting final : ReportItem {
        Drifting(std::uint64_t v, int s) : value(v), shift(s) {}
        std::wstring GetText(int) const override { return {}; }
        bool SortNumber(int, std::uint64_t& number) const override {
            number = value << shift;
            value = (value * 7919 + 13) % 1000;
            return true;
        }
        mutable std::uint64_t value;
        int shift;
    };
    struct DriftingList final : ReportListBase {
        BlockList<Drifting> rows;
        std::size_t Count() const override { return rows.size(); }
        const ReportItem& ItemAt(std::size_t index) const override { return rows[index]; }
    };
    for (const int shift : {0, 33}) {
        SCOPED_TRACE(shift);
        DriftingList list;
        std::vector<std::uint32_t> order(500), expected(500);
        for (std::size_t i = 0; i < order.size(); ++i) list.rows.emplace_back(i * 389 % 1000 / 2, shift);
        std::iota(order.begin(), order.end(), 0);
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
            return list.rows[a].value > list.rows[b].value;
        });
        list.SortOrder(3 | kSortDescending, order);
        EXPECT_EQ(order, expected);
    }
}

// The statistics columns result by result: loss, least and greatest time, jitter (a failure between
// two successes is skipped), failures in a row, the last success and the last change of state.
TEST_F(PingListTest, StatisticsColumnsFollowEachResultAndReset) {
    const testing_es::LocalZone utc("UTC0");
    std::int64_t now = 1767225600;  // 2026-01-01 00:00:00 UTC
    list.SetClock([&] { return now; });
    list.Initialise(0);
    Build(L"10.0.0.1 10.0.0.2");
    const auto statistics = [&](int row) {
        std::vector<std::wstring> texts;
        for (int field = kFieldLoss; field <= kFieldStatusChanged; ++field)
            texts.push_back(list.Row(static_cast<std::size_t>(row)).GetText(field));
        return texts;
    };
    const std::wstring none;
    const struct {
        int row, status;
        std::uint32_t rtt;
        std::vector<std::wstring> texts;  // loss, min, max, jitter, failures in a row, last success, changed
    } steps[] = {
        {0, 0, 10, {L"0.0%", L"10", L"10", none, L"0", L"2026-01-01 00:00:00", L"2026-01-01 00:00:00"}},
        {0, 0, 13, {L"0.0%", L"10", L"13", L"3.0", L"0", L"2026-01-01 00:00:05", L"2026-01-01 00:00:00"}},
        {0, 10, 0, {L"33.3%", L"10", L"13", L"3.0", L"1", L"2026-01-01 00:00:05", L"2026-01-01 00:00:10"}},
        {0, 11, 0, {L"50.0%", L"10", L"13", L"3.0", L"2", L"2026-01-01 00:00:05", L"2026-01-01 00:00:10"}},
        {0, 0, 12, {L"40.0%", L"10", L"13", L"2.0", L"0", L"2026-01-01 00:00:20", L"2026-01-01 00:00:20"}},
        {0, 0, 11, {L"33.3%", L"10", L"13", L"1.7", L"0", L"2026-01-01 00:00:25", L"2026-01-01 00:00:20"}},
        {1, 10, 0, {L"100.0%", none, none, none, L"1", none, L"2026-01-01 00:00:30"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(&step - steps);
        Result(step.row, step.status, step.rtt);
        EXPECT_EQ(statistics(step.row), step.texts);
        now += 5;
    }
    for (int i = 0; i < 6; ++i) Result(1, 0, 1);
    Result(1, 10, 0);
    EXPECT_EQ(list.Row(1).GetText(kFieldLoss), L"25.0%");
    Result(1, 0, 1);
    EXPECT_EQ(list.Row(1).GetText(kFieldLoss), L"22.2%") << "2 of 9";
    list.ResetStatistics();
    EXPECT_EQ(statistics(0), std::vector<std::wstring>(7, none)) << "after a Reset";
}

// Each step: a result ('S' success, 'F' timeout), the watched state after it ('?', 'u', 'd'), the
// change reported ('-' none, 'D' down, 'U' up) and the colour with Mark Failed Pings ('-' none,
// 'r' light red, 'a' amber).
TEST_F(PingListTest, WatchedStateFollowsTheThresholdsAndTakesTheFirstStateSilently) {
    AppSettings settings;
    settings.MarkFailedPings = 1;
    list.SetSettings(&settings);
    std::int64_t now = 1767225600;
    list.SetClock([&] { return now; });
    const struct {
        int downAfter, upAfter;
        const char *results, *states, *changes, *colours;
    } cases[] = {
        {3, 1, "FFFSFFSFFF", "??duuuuuud", "---U-----D", "aar-aa-aar"},  // a flap below the threshold
        {1, 1, "SFSF", "udud", "-DUD", "-r-r"},
        {1, 3, "FSSFSSS", "ddddddu", "------U", "rrrrrr-"},  // down keeps its colour until up
        {2, 2, "SFSFS", "?????", "-----", "-a-a-"},          // never enough in a row: unknown
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.results);
        list.SetThresholds(c.downAfter, c.upAfter);
        Build(L"10.0.0.1");
        for (std::size_t i = 0; c.results[i]; ++i) {
            SCOPED_TRACE(i);
            Result(0, c.results[i] == 'S' ? kStatusSuccess : 10, 1);
            const WatchState state = list.Row(0).Watch.load();
            EXPECT_EQ(state == WatchState::Up ? 'u' : state == WatchState::Down ? 'd' : '?', c.states[i]);
            const std::vector<StateChange> changes = list.TakeStateChanges();
            const char change = changes.empty() ? '-' : changes[0].state == WatchState::Down ? 'D' : 'U';
            EXPECT_EQ(change, c.changes[i]);
            EXPECT_LE(changes.size(), 1u);
            CellColors colours;
            list.CustomDrawCell(list.Row(0), 0, colours);
            EXPECT_EQ(!colours.set ? '-' : colours.background == 0xF0F0FF ? 'r' : colours.background == 0xB0E8FF ? 'a' : 'x',
                      c.colours[i]);
        }
    }
}

TEST_F(PingListTest, StateChangesNameTheRowAndResetStartsEveryRowUnknown) {
    std::int64_t now = 1767225600;
    list.SetClock([&] { return now; });
    list.SetThresholds(1, 1);
    list.BuildItems({.addressList = L"10.0.0.7 core, \"switch\"\r\n10.0.0.8 b\r\n10.0.0.9 c", .IPHostDescFormat = 1});
    Result(0, kStatusSuccess, 1);
    Result(1, kStatusSuccess, 1);
    Result(2, 10, 1);
    EXPECT_TRUE(list.TakeStateChanges().empty()) << "first states are silent";
    EXPECT_EQ(list.CountWatched().up, 2u);
    EXPECT_EQ(list.CountWatched().down, 1u);
    now += 30;
    Result(0, 11, 1);
    const std::vector<StateChange> changes = list.TakeStateChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].rowId, list.Row(0).RowId);
    EXPECT_EQ(changes[0].host, L"10.0.0.7");
    EXPECT_EQ(changes[0].address, L"10.0.0.7");
    EXPECT_EQ(changes[0].description, L"core, \"switch\"");
    EXPECT_EQ(changes[0].state, WatchState::Down);
    EXPECT_EQ(changes[0].status, 11);
    EXPECT_EQ(changes[0].failuresInARow, 1u);
    EXPECT_EQ(changes[0].unixTime, 1767225630);
    EXPECT_EQ(list.CountWatched().up, 1u);
    EXPECT_EQ(list.CountWatched().down, 2u);
    list.ResetStatistics();
    EXPECT_EQ(list.CountWatched().up + list.CountWatched().down, 0u);
    Result(0, kStatusSuccess, 1);
    EXPECT_TRUE(list.TakeStateChanges().empty()) << "down before the Reset, up after it: a first state again";
    EXPECT_EQ(list.Row(0).Watch.load(), WatchState::Up);
}

// The ring through a wrap-around: the oldest results fall out with their failures, the Recent Pings
// text shows the last twenty and Recent Loss the loss of all kept; both sort by that loss, empty first.
TEST_F(PingListTest, HistoryKeepsTheLastHundredResultsOldestFirst) {
    Build(L"10.0.0.1 10.0.0.2 10.0.0.3 10.0.0.4");
    const auto recent = [&](int row) {
        const PingItem& item = list.Row(static_cast<std::size_t>(row));
        return std::vector<std::wstring>{item.GetText(kFieldRecentPings), item.GetText(kFieldRecentLoss)};
    };
    std::array<std::uint16_t, kHistoryLength> history{};
    EXPECT_EQ(list.Row(0).History(history), 0u);
    EXPECT_EQ(recent(0), (std::vector<std::wstring>{L"", L""}));
    for (std::uint32_t i = 0; i < 104; ++i) Result(0, i % 10 == 0 ? 10 : kStatusSuccess, i);
    Result(0, kStatusSuccess, 70000);
    ASSERT_EQ(list.Row(0).History(history), kHistoryLength);
    EXPECT_EQ(history[0], 5) << "results 0 to 4 fell out";
    EXPECT_EQ(history[5], kHistoryFailure) << "result 10";
    EXPECT_EQ(history[98], 103);
    EXPECT_EQ(history[99], kHistoryMaxTime) << "clamped";
    EXPECT_EQ(recent(0), (std::vector<std::wstring>{L"85 86 87 88 89 - 91 92 93 94 95 96 97 98 99 - 101 102 103 65533",
                                                    L"10.0%"}))
        << "ten failures kept: the one of result 0 fell out";
    Result(1, 10, 0);  // a lifetime loss of 1%, but none among the last hundred
    for (int i = 0; i < 100; ++i) Result(1, kStatusSuccess, 1);
    Result(2, kStatusSuccess, 1);
    Result(2, 11, 0);
    EXPECT_EQ(recent(2), (std::vector<std::wstring>{L"1 -", L"50.0%"}));
    for (const int field : {kFieldRecentPings, kFieldRecentLoss}) {
        SCOPED_TRACE(field);
        std::vector<std::uint32_t> order = {2, 0, 1, 3};
        list.SortOrder(field, order);
        EXPECT_EQ(order, (std::vector<std::uint32_t>{3, 1, 0, 2}));
    }
    list.ResetStatistics();
    EXPECT_EQ(list.Row(0).History(history), 0u);
    EXPECT_EQ(recent(0), (std::vector<std::wstring>{L"", L""}));
    Result(0, 10, 0);
    ASSERT_EQ(list.Row(0).History(history), 1u);
    EXPECT_EQ(history[0], kHistoryFailure);
    EXPECT_EQ(recent(0), (std::vector<std::wstring>{L"-", L"100.0%"})) << "failures counted afresh";
}

}  // namespace
