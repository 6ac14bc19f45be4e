#include "lang/ResourceTexts.h"

namespace es {

std::wstring ResourceTexts::Load(std::uint16_t id) {
    wchar_t buffer[StringCache::kMaxLookupLength + 1] = {};
    int n = ::LoadStringW(module_, id, buffer, static_cast<int>(StringCache::kMaxLookupLength + 1));
    return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n)) : std::wstring();
}

}  // namespace es
