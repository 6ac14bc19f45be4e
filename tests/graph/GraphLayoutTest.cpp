// The history graph's geometry: where a known history's points, lines and failure marks go, the
// equal steps of the logarithmic scale, and colours that stay with their rows.
#include <gtest/gtest.h>

#include <vector>

#include "graph/GraphLayout.h"
#include "ping/HistoryScale.h"

namespace es {
namespace {

// Two pixels per slot (x = 2 * slot) and 100 pixels per step of ten.
constexpr PlotArea kArea = {0, 10, 198, 310};

TEST(GraphLayout, TimesAreEqualStepsFromOneToAThousandMilliseconds) {
    const std::pair<std::uint32_t, int> cases[] = {
        {0, 310}, {1, 310}, {10, 210}, {100, 110}, {1000, 10}, {kHistoryMaxTime, 10}, {30, 162},
    };
    for (const auto& [ms, y] : cases) {
        SCOPED_TRACE(ms);
        EXPECT_EQ(TimeY(ms, kArea), y);
    }
}

// Eight results end at the right edge; no line joins the two sides of a failure.
TEST(GraphLayout, AHistoryIsBrokenAtItsFailuresWhichAreMarkedWhereTheyHappened) {
    const std::vector<std::uint16_t> history = {1, 10, kHistoryFailure, 100, kHistoryFailure, kHistoryFailure, 1000, 30};
    const HistoryLayout layout = LayOutHistory(history, kArea);
    const std::vector<std::vector<GraphPoint>> runs = {{{184, 310}, {186, 210}}, {{190, 110}}, {{196, 10}, {198, 162}}};
    EXPECT_EQ(layout.runs, runs);
    EXPECT_EQ(layout.failureXs, (std::vector<int>{188, 192, 194}));

    const std::vector<std::uint16_t> full(kHistoryLength, 5);
    const HistoryLayout whole = LayOutHistory(full, kArea);
    ASSERT_EQ(whole.runs.size(), 1u);
    EXPECT_EQ(whole.runs[0].front().x, 0) << "the oldest of a full ring at the left edge";
    EXPECT_EQ(whole.runs[0].back().x, 198);
}

TEST(GraphLayout, ARowKeepsItsColourWhileItStaysPlotted) {
    const struct {
        std::vector<std::uint32_t> previousIds;
        std::vector<std::size_t> previousColors;
        std::vector<std::uint32_t> ids;
        std::vector<std::size_t> colors;
    } cases[] = {
        {{}, {}, {4, 2, 9}, {0, 1, 2}},
        {{5, 7}, {2, 0}, {9, 7, 5, 11}, {1, 0, 2, 3}},  // the new ones take the free colours in order
        {{1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2, 3, 4, 5, 6, 7}, {9, 8}, {0, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(KeepColors(c.previousIds, c.previousColors, c.ids), c.colors);
    }
}

}  // namespace
}  // namespace es
