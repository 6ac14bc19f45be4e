// What a run of rounds without a window adds to a report; reports written otherwise have none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace es {

struct UnattendedRun {
    std::uint32_t rounds = 0;
    std::wstring state;
    std::vector<std::wstring> rowStates;  // by storage index
};

}  // namespace es
