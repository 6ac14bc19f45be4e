// The colours our own painting uses, in the light theme (what the program always drew) and in the
// dark one, and the WCAG contrast ratio that keeps the dark texts readable. Colours are 0x00BBGGRR.
#pragma once

#include <array>

#include "support/Color.h"

namespace es {

constexpr Color Rgb(int red, int green, int blue) {
    return static_cast<Color>(red) | static_cast<Color>(green) << 8 | static_cast<Color>(blue) << 16;
}

struct TextColors {
    Color text = 0;
    Color background = 0;
};

// In the light theme the controls keep the system's colours: their entries below are the usual
// values of those, and only the entries our own drawing always fixed are painted from here.
struct Palette {
    bool dark = false;
    TextColors list;        // rows without a mark
    TextColors header;
    TextColors status;      // the status bar's background and its counts
    TextColors dialog;      // dialog backgrounds, labels and check boxes
    TextColors edit;        // edit and list boxes in dialogs
    TextColors inactiveSelection;  // selected rows while the list has not the focus
    TextColors failedRow;   // Mark Failed Pings: a row that is down
    TextColors amberRow;    // a row failing, not down yet
    TextColors value;       // the values of the Properties dialog, on the edit background
    TextColors statusLink;  // the link of the status bar, on its background
    TextColors dialogLink;  // the links of the About dialog, on the dialog background
    TextColors graphLabel;  // the graph's grid labels and descriptions, on its background
    TextColors graphLegend; // the graph's host names
    Color graphGrid = 0;
    // One line colour per plotted row, told apart from each other and from the failures' marks.
    std::array<Color, 8> graphRows{};
    Color graphFailed = 0;
    Color toolbar = 0;
};

const Palette& LightPalette();
const Palette& DarkPalette();

// One theme for every window of the process: light until UseDarkPalette(true).
const Palette& ActivePalette();
void UseDarkPalette(bool dark);

// WCAG 2: the relative luminance of an sRGB colour, 0 to 1, and the contrast ratio of two colours,
// (lighter + 0.05) / (darker + 0.05), 1 to 21.
double RelativeLuminance(Color color);
double ContrastRatio(Color first, Color second);

}  // namespace es
