#include "reportlist/Sparkline.h"

#include <algorithm>

namespace es {

std::size_t LayoutBars(const CellBars& bars, std::size_t count, int left, int top, int width, int height, BarRects& out,
                       int gap) {
    if (width <= 0 || height <= 0) return 0;
    const int pitch = std::max(1, width / static_cast<int>(kMaxCellBars));
    // Wide bars keep a gap between them so that neighbours of one height stay apart.
    const int barWidth = pitch > 2 * gap ? pitch - gap : pitch;
    const std::size_t shown = std::min({count, kMaxCellBars, static_cast<std::size_t>(width / pitch)});
    const std::size_t first = std::min(count, kMaxCellBars) - shown;
    std::size_t written = 0;
    for (std::size_t i = 0; i < shown; ++i) {
        const CellBar& bar = bars[first + i];
        const int barHeight = std::min(bar.height, height);
        if (barHeight <= 0) continue;
        out[written++] = {left + static_cast<int>(i) * pitch, top + height - barHeight, barWidth, barHeight, bar.alert};
    }
    return written;
}

}  // namespace es
