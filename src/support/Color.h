// Colour helpers of the HTML reports. Colours are 0x00BBGGRR values, red in the low byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace es {

using Color = std::uint32_t;

// The integer part of x, toward zero, as a 32-bit integer.
int TruncateToInt(double x);

// A linear gradient through the palette, spread evenly over 0..max. A max of 0 or less, or a
// value outside 0..max, is taken at the nearest end of the gradient.
Color InterpolateColor(int value, int max, const std::vector<Color>& palette);

// Six upper-case hexadecimal digits, red first ("E0E0E0").
std::wstring ColorToHex(Color color);

}  // namespace es
