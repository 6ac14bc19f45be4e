// The filter text of the common open and save dialogs.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace es {

struct FilterPair {
    std::wstring description;
    std::wstring pattern;
};

// For each pair "description (pattern)" (at most 1023 characters), NUL, the pattern, NUL;
// one more NUL after the last pair. The result holds its NULs inside the string.
std::wstring BuildFileFilter(const std::vector<FilterPair>& pairs);

}  // namespace es
