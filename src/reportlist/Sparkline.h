// Cells drawn as a row of bars rather than text: the list view paints them and the HTML report
// writes them as SVG, both laid out here so that they agree.
#pragma once

#include <array>
#include <cstddef>

#include "support/Color.h"

namespace es {

inline constexpr std::size_t kMaxCellBars = 100;
// A bar of a result (green) and of a failure (red); red in the low byte.
inline constexpr Color kBarColor = 0x00A000;
inline constexpr Color kAlertBarColor = 0x0000DC;

// One bar of a cell, oldest first: its height in pixels (0: no bar) and whether it marks a failure.
struct CellBar {
    int height = 0;
    bool alert = false;
};
using CellBars = std::array<CellBar, kMaxCellBars>;

struct BarRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool alert = false;
};
using BarRects = std::array<BarRect, kMaxCellBars>;

// The first count bars laid out in a box, oldest on the left and bottoms on its bottom edge: one
// every width / kMaxCellBars pixels (at least 1), so a full row of bars fills the box. When the box
// is too narrow the newest that fit are kept. Bars more than two gaps apart keep a gap between them
// (gap: a pixel at 96 DPI, at the screen's DPI). Bars without height are left out; returns how
// many rectangles were written.
std::size_t LayoutBars(const CellBars& bars, std::size_t count, int left, int top, int width, int height, BarRects& out,
                       int gap = 1);

}  // namespace es
