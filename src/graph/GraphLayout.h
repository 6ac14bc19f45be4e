// Where the history graph draws: the frame of the picture, a row's kept results as points on the
// logarithmic scale (the newest at the right edge), lines only between consecutive successes, the
// failures' marks along the top, and the colours that stay with a row while it is plotted.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "support/Color.h"

namespace es {

inline constexpr std::size_t kMaxGraphRows = 8;
inline constexpr int kGraphMargin = 8;
// The times of the labelled grid lines, bottom to top.
inline constexpr std::array<std::uint32_t, 4> kGraphGridTimes = {1, 10, 100, 1000};

struct GraphPoint {
    int x = 0;
    int y = 0;
    bool operator==(const GraphPoint&) const = default;
};

// Pixels, edges included: 1 ms on the bottom line, 1,000 ms and above on the top line.
struct PlotArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PlotArea&) const = default;
};

struct GraphFrame {
    PlotArea plot;
    int markTop = 0, markBottom = 0;  // the band above the plot where failures are marked
    int legendTop = 0;
};

// The frame of a picture of width x height for labels labelWidth wide, text lineHeight high and a
// legend of legendLines lines, with margins and gaps for dpi; the plot is empty (right < left) when
// it does not fit.
GraphFrame LayOutFrame(int width, int height, int labelWidth, int lineHeight, int legendLines, int dpi = 96);

int TimeY(std::uint32_t ms, const PlotArea& area);
// Slot 0 of kHistoryLength at the left edge, the last one at the right edge.
int SlotX(std::size_t slot, const PlotArea& area);

struct HistoryLayout {
    // Points through consecutive successes; a success between two failures is a run of one point.
    std::vector<std::vector<GraphPoint>> runs;
    std::vector<int> failureXs;  // oldest first
};

// history: a row's kept results, oldest first; its newest lands in the last slot, so rows with
// fewer results end at the right edge too.
HistoryLayout LayOutHistory(std::span<const std::uint16_t> history, const PlotArea& area);

// The colour index of each of rowIds: a row plotted before keeps the index it had (previousIds and
// previousColors side by side), the others take the free ones in order. At most kMaxGraphRows ids.
std::vector<std::size_t> KeepColors(std::span<const std::uint32_t> previousIds,
                                    std::span<const std::size_t> previousColors, std::span<const std::uint32_t> rowIds);

}  // namespace es
