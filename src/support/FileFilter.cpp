#include "support/FileFilter.h"

#include "support/Text.h"

namespace es {

std::wstring BuildFileFilter(const std::vector<FilterPair>& pairs) {
    constexpr std::size_t kDisplayTextSize = 1024;
    std::wstring filter;
    for (const auto& pair : pairs) {
        filter += CopyTruncated(pair.description + L" (" + pair.pattern + L")", kDisplayTextSize);
        filter += L'\0';
        filter += pair.pattern;
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

}  // namespace es
