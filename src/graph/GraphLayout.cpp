#include "graph/GraphLayout.h"

#include <algorithm>
#include <cmath>

#include "ping/HistoryScale.h"
#include "support/DpiScale.h"

namespace es {

namespace {

constexpr int kMargin = kGraphMargin;
constexpr int kLabelGap = 6;
constexpr int kMarkHeight = 7;
constexpr int kLegendGap = 6;

}  // namespace

GraphFrame LayOutFrame(int width, int height, int labelWidth, int lineHeight, int legendLines, int dpi) {
    const int margin = ScaleToDpi(kMargin, dpi);
    GraphFrame frame;
    frame.markTop = margin;
    frame.markBottom = margin + ScaleToDpi(kMarkHeight, dpi);
    frame.legendTop = height - margin - legendLines * (lineHeight + ScaleToDpi(2, dpi));
    frame.plot.left = margin + labelWidth + ScaleToDpi(kLabelGap, dpi);
    frame.plot.right = width - margin - 1;
    // The labels of the top and bottom lines are centred on them and must not be cut.
    frame.plot.top = std::max(frame.markBottom + ScaleToDpi(3, dpi), margin + lineHeight / 2);
    frame.plot.bottom = frame.legendTop - (legendLines ? ScaleToDpi(kLegendGap, dpi) : 0) - (lineHeight + 1) / 2 - 1;
    return frame;
}

int TimeY(std::uint32_t ms, const PlotArea& area) {
    return area.bottom - static_cast<int>(std::lround(LogScaleFraction(ms) * (area.bottom - area.top)));
}

int SlotX(std::size_t slot, const PlotArea& area) {
    const auto last = static_cast<long long>(kHistoryLength - 1);
    return area.left + static_cast<int>((static_cast<long long>(slot) * (area.right - area.left) + last / 2) / last);
}

HistoryLayout LayOutHistory(std::span<const std::uint16_t> history, const PlotArea& area) {
    HistoryLayout layout;
    const std::size_t count = std::min(history.size(), kHistoryLength);
    const std::size_t first = kHistoryLength - count;
    bool inRun = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t value = history[history.size() - count + i];
        const int x = SlotX(first + i, area);
        if (value <= kHistoryMaxTime) {
            if (!inRun) layout.runs.emplace_back();
            layout.runs.back().push_back({x, TimeY(value, area)});
            inRun = true;
            continue;
        }
        inRun = false;
        if (value == kHistoryFailure) layout.failureXs.push_back(x);
    }
    return layout;
}

std::vector<std::size_t> KeepColors(std::span<const std::uint32_t> previousIds,
                                    std::span<const std::size_t> previousColors, std::span<const std::uint32_t> rowIds) {
    std::vector<std::size_t> colors(rowIds.size(), kMaxGraphRows);
    std::array<bool, kMaxGraphRows> taken = {};
    for (std::size_t i = 0; i < rowIds.size(); ++i) {
        const auto before = std::find(previousIds.begin(), previousIds.end(), rowIds[i]);
        const auto at = static_cast<std::size_t>(before - previousIds.begin());
        if (before == previousIds.end() || at >= previousColors.size() || previousColors[at] >= kMaxGraphRows) continue;
        colors[i] = previousColors[at];
        taken[colors[i]] = true;
    }
    std::size_t next = 0;
    for (std::size_t& color : colors) {
        if (color < kMaxGraphRows) continue;
        while (next < kMaxGraphRows && taken[next]) ++next;
        color = next < kMaxGraphRows ? next++ : 0;
    }
    return colors;
}

}  // namespace es
