#include "support/DpiScale.h"

#include <cstdint>
#include <cstdlib>

namespace es {

namespace {

int KnownDpi(int dpi) { return dpi > 0 ? dpi : kBaseDpi; }

// a * b / c rounded to the nearest integer, halves away from zero; c above 0.
int MultiplyDivide(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t magnitude = (std::llabs(product) + c / 2) / c;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

}  // namespace

int ScaleToDpi(int value, int dpi) { return MultiplyDivide(value, KnownDpi(dpi), kBaseDpi); }

int UnscaleFromDpi(int value, int dpi) {
    const int unscaled = MultiplyDivide(value, kBaseDpi, KnownDpi(dpi));
    return value > 0 && unscaled == 0 ? 1 : unscaled;
}

int RescaleDpi(int value, int fromDpi, int toDpi) { return ScaleToDpi(UnscaleFromDpi(value, fromDpi), toDpi); }

int ImageSizeForDpi(int dpi) {
    const int wanted = ScaleToDpi(kImageSizes[0], dpi);
    int best = kImageSizes[0];
    for (int size : kImageSizes)
        if (std::abs(size - wanted) <= std::abs(best - wanted)) best = size;
    return best;
}

}  // namespace es
