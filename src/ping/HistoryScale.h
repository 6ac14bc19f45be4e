// The values a row's history holds and the scale they are drawn on, shared by the list's
// sparklines, the HTML report's bars and the history graph.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace es {

// The last results of a row, two bytes each: the time in ms (at most kHistoryMaxTime), a failure,
// or none yet.
inline constexpr std::size_t kHistoryLength = 100;
inline constexpr std::uint16_t kHistoryMaxTime = 65533;
inline constexpr std::uint16_t kHistoryFailure = 65534;
inline constexpr std::uint16_t kHistoryNone = 65535;

// Times are drawn on a logarithmic scale so that one spike does not flatten the rest: 0 for 1 ms
// or less, 1 for 1,000 ms or more, and 1, 10, 100 and 1,000 ms equal steps apart.
inline double LogScaleFraction(std::uint32_t ms) {
    if (ms <= 1) return 0.0;
    if (ms >= 1000) return 1.0;
    return std::clamp(std::log10(static_cast<double>(ms)) / 3.0, 0.0, 1.0);
}

// The height of one history value's bar in fullHeight pixels: a time at least 1 pixel (so the
// fastest replies still show) up to fullHeight at 1,000 ms; a failure fullHeight; no result 0.
inline int BarHeight(std::uint16_t value, int fullHeight) {
    if (fullHeight <= 0 || value == kHistoryNone) return 0;
    if (value == kHistoryFailure) return fullHeight;
    return 1 + static_cast<int>(std::lround(LogScaleFraction(value) * (fullHeight - 1)));
}

}  // namespace es
