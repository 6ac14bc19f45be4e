// The main window's placement record as the WinPos value keeps it: eleven little-endian 32-bit
// fields, 44 bytes.
#pragma once

#include <array>
#include <cstdint>

#include "settings/SettingsStore.h"

namespace es {

struct ScreenRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

struct WindowPlacement {
    static constexpr std::size_t kBytes = 44;
    std::int32_t length = 0, flags = 0, showCmd = 0;
    std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    std::array<std::uint8_t, kBytes> ToBytes() const;
    void FromBytes(const std::array<std::uint8_t, kBytes>& bytes);
    // Whether the normal rectangle is fit to be applied on a screen of the given size.
    bool IsUsable(int screenWidth, int screenHeight) const;
    // The normal rectangle cut to the area (the virtual screen), so that extreme values that pass
    // IsUsable still give a window that can be reached.
    ScreenRect NormalRectWithin(const ScreenRect& area) const;
};

// Writing stores the record as it is; reading clears it first, so a missing value leaves a
// cleared record (show command 0, which is never applied).
void ExchangeWindowPlacement(WindowPlacement& placement, SettingsStore& store);
// The history graph's placement, GraphPos in the WinPos format, after every other key; written
// only while the record holds one (read from the file, or kept once the graph was opened), so the
// configuration of a user who never opened the graph stays as it was.
void ExchangeGraphPlacement(WindowPlacement& placement, SettingsStore& store);

}  // namespace es
