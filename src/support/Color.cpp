#include "support/Color.h"

#include <cmath>

namespace es {

int TruncateToInt(double x) { return static_cast<int>(std::trunc(x)); }

Color InterpolateColor(int value, int max, const std::vector<Color>& palette) {
    if (palette.empty()) return 0;
    if (palette.size() == 1) return palette[0];
    double t = max > 0 ? static_cast<double>(value) / max : 0.0;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    int segments = static_cast<int>(palette.size()) - 1;
    int index = TruncateToInt(segments * t);
    if (index > segments - 1) index = segments - 1;
    double f = (t - static_cast<double>(index) / segments) * segments;
    Color c0 = palette[index], c1 = palette[index + 1];
    Color result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = static_cast<int>((c0 >> shift) & 0xFF), b = static_cast<int>((c1 >> shift) & 0xFF);
        int channel = TruncateToInt((b - a) * f + a);
        result |= (static_cast<Color>(channel) & 0xFF) << shift;
    }
    return result;
}

std::wstring ColorToHex(Color color) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text;
    for (int shift = 0; shift <= 16; shift += 8) {
        unsigned channel = (color >> shift) & 0xFF;
        text += digits[channel >> 4];
        text += digits[channel & 15];
    }
    return text;
}

}  // namespace es
