// The watched state of a row and one change of it, as the ping list hands them to the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace es {

// Unknown until a row has had enough failures or successes in a row to be called down or up.
enum class WatchState : std::uint8_t { Unknown, Up, Down };

struct StateChange {
    std::uint32_t rowId = 0;
    std::wstring host;
    std::wstring address;  // dotted, empty while the name is not resolved
    std::wstring description;
    WatchState state = WatchState::Unknown;  // the new state, up or down
    std::int32_t status = 0;                 // of the result that made the change
    std::uint32_t failuresInARow = 0;
    std::int64_t unixTime = 0;
};

}  // namespace es
