// Sizes at the screen's DPI. The program's sizes (images, margins, column widths, fonts) are
// written for 96 DPI, and a column width is stored at 96 DPI whatever the screen it was set on.
#pragma once

namespace es {

inline constexpr int kBaseDpi = 96;
// The sizes the toolbar, row and sort pictures are drawn at.
inline constexpr int kImageSizes[] = {16, 20, 24, 32};

// value, given at 96 DPI, at dpi: rounded to the nearest pixel, halves away from zero, as MulDiv
// rounds. A dpi of 0 or less (not known) is taken as 96.
int ScaleToDpi(int value, int dpi);
// value, measured at dpi, at 96 DPI; the inverse of ScaleToDpi for every dpi of 96 and more. A
// size above 0 stays above 0, so a shown column is never stored as a hidden one.
int UnscaleFromDpi(int value, int dpi);
// value, measured at fromDpi, at toDpi, by way of 96 DPI, so that the value stored is unchanged.
int RescaleDpi(int value, int fromDpi, int toDpi);
// The picture size nearest to 16 pixels at dpi; halfway between two, the larger.
int ImageSizeForDpi(int dpi);

}  // namespace es
