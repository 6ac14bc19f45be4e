// Configuration values: hexadecimal text never writes past its destination and bytes written as
// hex read back whole; any WinPos that passes the placement rule lands on the screen.
#include <algorithm>
#include <array>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "settings/WindowPlacement.h"
#include "support/Hex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::wstring text = FuzzText(data + 1, size - 1);
    std::vector<std::uint8_t> out(data[0] % 64);
    std::size_t capacity = out.size();
    if (es::HexToBytes(text, out.data(), capacity)) FUZZ_CHECK(capacity <= out.size());

    std::wstring hex;
    es::BytesToHex(data, size, hex);
    FUZZ_CHECK(hex.size() <= 8192);
    std::vector<std::uint8_t> back(size + 1);
    std::size_t read = back.size();
    if (size) FUZZ_CHECK(es::HexToBytes(hex, back.data(), read));
    FUZZ_CHECK(read == std::min<std::size_t>(size, (8192 + 1) / 3) || size == 0);
    FUZZ_CHECK(std::equal(back.begin(), back.begin() + static_cast<long>(size ? read : 0), data));

    if (size >= es::WindowPlacement::kBytes) {
        std::array<std::uint8_t, es::WindowPlacement::kBytes> bytes{};
        std::copy_n(data, bytes.size(), bytes.begin());
        es::WindowPlacement placement;
        placement.FromBytes(bytes);
        FUZZ_CHECK(placement.ToBytes() == bytes);
        const es::ScreenRect screen{-1920, 0, 1920, 1080};
        if (placement.IsUsable(1920, 1080)) {
            const es::ScreenRect rect = placement.NormalRectWithin(screen);
            FUZZ_CHECK(rect.left >= screen.left && rect.right <= screen.right && rect.left < rect.right);
            FUZZ_CHECK(rect.top >= screen.top && rect.bottom <= screen.bottom && rect.top < rect.bottom);
        }
    }
    return 0;
}
