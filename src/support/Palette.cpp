#include "support/Palette.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace es {

namespace {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kButtonFace = Rgb(240, 240, 240);

constexpr Palette kLight = {
    .dark = false,
    .list = {kBlack, kWhite},
    .header = {kBlack, kButtonFace},
    .status = {kBlack, kButtonFace},
    .dialog = {kBlack, kButtonFace},
    .edit = {kBlack, kWhite},
    .inactiveSelection = {kBlack, kButtonFace},
    .failedRow = {kBlack, Rgb(255, 240, 240)},
    .amberRow = {kBlack, Rgb(255, 232, 176)},
    .value = {Rgb(0, 0, 192), kWhite},
    .statusLink = {Rgb(0, 0, 255), kButtonFace},
    .dialogLink = {Rgb(0, 0, 192), kButtonFace},
    .graphLabel = {Rgb(96, 96, 96), kWhite},
    .graphLegend = {kBlack, kWhite},
    .graphGrid = Rgb(224, 224, 224),
    .graphRows = {Rgb(0, 90, 200), Rgb(0, 150, 60), Rgb(230, 130, 0), Rgb(140, 60, 180), Rgb(0, 160, 170),
                  Rgb(120, 80, 30), Rgb(220, 60, 160), Rgb(90, 90, 90)},
    .graphFailed = Rgb(220, 0, 0),
    .toolbar = kButtonFace,
};

// Near Windows' own dark surfaces; the marked rows keep their hue (red for down, amber for
// failing) at a depth that light text reads on.
constexpr Color kDarkWindow = Rgb(32, 32, 32);
constexpr Color kDarkSurface = Rgb(43, 43, 43);
constexpr Color kDarkEdit = Rgb(56, 56, 56);
constexpr Color kDarkText = Rgb(230, 230, 230);

constexpr Palette kDark = {
    .dark = true,
    .list = {kDarkText, kDarkWindow},
    .header = {kDarkText, kDarkSurface},
    .status = {kDarkText, kDarkSurface},
    .dialog = {kDarkText, kDarkSurface},
    .edit = {kDarkText, kDarkEdit},
    .inactiveSelection = {kDarkText, Rgb(72, 72, 72)},
    .failedRow = {Rgb(255, 228, 228), Rgb(112, 28, 28)},
    .amberRow = {Rgb(255, 240, 200), Rgb(106, 72, 0)},
    .value = {Rgb(150, 200, 255), kDarkEdit},
    .statusLink = {Rgb(120, 180, 255), kDarkSurface},
    .dialogLink = {Rgb(120, 180, 255), kDarkSurface},
    .graphLabel = {Rgb(176, 176, 176), kDarkWindow},
    .graphLegend = {kDarkText, kDarkWindow},
    .graphGrid = Rgb(72, 72, 72),
    // The light lines' hues, lighter where they were too dark to see on the dark background.
    .graphRows = {Rgb(90, 160, 255), Rgb(80, 200, 110), Rgb(230, 130, 0), Rgb(190, 120, 230), Rgb(0, 160, 170),
                  Rgb(200, 150, 90), Rgb(240, 100, 180), Rgb(170, 170, 170)},
    .graphFailed = Rgb(255, 90, 90),
    .toolbar = kDarkSurface,
};

std::atomic<bool> darkInUse{false};

double Linear(Color channel) {
    const double c = static_cast<double>(channel & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

const Palette& LightPalette() { return kLight; }
const Palette& DarkPalette() { return kDark; }

const Palette& ActivePalette() { return darkInUse.load(std::memory_order_relaxed) ? kDark : kLight; }
void UseDarkPalette(bool dark) { darkInUse.store(dark, std::memory_order_relaxed); }

double RelativeLuminance(Color color) {
    return 0.2126 * Linear(color) + 0.7152 * Linear(color >> 8) + 0.0722 * Linear(color >> 16);
}

double ContrastRatio(Color first, Color second) {
    const double a = RelativeLuminance(first), b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace es
