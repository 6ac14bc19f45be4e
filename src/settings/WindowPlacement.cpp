#include "settings/WindowPlacement.h"

#include <algorithm>

namespace es {

std::array<std::uint8_t, WindowPlacement::kBytes> WindowPlacement::ToBytes() const {
    const std::int32_t fields[] = {length, flags, showCmd, minX, minY, maxX, maxY, left, top, right, bottom};
    std::array<std::uint8_t, kBytes> bytes{};
    for (std::size_t i = 0; i < 11; ++i) {
        auto v = static_cast<std::uint32_t>(fields[i]);
        for (std::size_t b = 0; b < 4; ++b) bytes[i * 4 + b] = static_cast<std::uint8_t>(v >> (8 * b));
    }
    return bytes;
}

void WindowPlacement::FromBytes(const std::array<std::uint8_t, kBytes>& bytes) {
    std::int32_t* fields[] = {&length, &flags, &showCmd, &minX, &minY, &maxX, &maxY, &left, &top, &right, &bottom};
    for (std::size_t i = 0; i < 11; ++i) {
        std::uint32_t v = 0;
        for (std::size_t b = 0; b < 4; ++b) v |= static_cast<std::uint32_t>(bytes[i * 4 + b]) << (8 * b);
        *fields[i] = static_cast<std::int32_t>(v);
    }
}

bool WindowPlacement::IsUsable(int screenWidth, int screenHeight) const {
    long long width = static_cast<long long>(right) - left;
    long long height = static_cast<long long>(bottom) - top;
    return width > 20 && height > 20 && right > 5 && top >= -10 && static_cast<long long>(left) + 20 < screenWidth &&
           static_cast<long long>(top) + 20 < screenHeight && showCmd != 0;
}

ScreenRect WindowPlacement::NormalRectWithin(const ScreenRect& area) const {
    ScreenRect cut{std::max(left, area.left), std::max(top, area.top), std::min(right, area.right),
                   std::min(bottom, area.bottom)};
    if (cut.right <= cut.left || cut.bottom <= cut.top) return area;
    return cut;
}

namespace {

void ExchangePlacement(const wchar_t* key, WindowPlacement& placement, SettingsStore& store) {
    if (!store.IsWriting()) placement = WindowPlacement{};
    auto bytes = placement.ToBytes();
    std::size_t size = bytes.size();
    store.ExchangeBinary(key, bytes.data(), size);
    if (!store.IsWriting()) placement.FromBytes(bytes);
}

}  // namespace

void ExchangeWindowPlacement(WindowPlacement& placement, SettingsStore& store) {
    ExchangePlacement(L"WinPos", placement, store);
}

void ExchangeGraphPlacement(WindowPlacement& placement, SettingsStore& store) {
    if (store.IsWriting() && placement.length == 0) return;
    ExchangePlacement(L"GraphPos", placement, store);
}

}  // namespace es
