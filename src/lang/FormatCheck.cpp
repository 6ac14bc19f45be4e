#include "lang/FormatCheck.h"

#include <optional>
#include <string>
#include <vector>

#include "resources/ResourceIds.h"

namespace es {

namespace {

// Each conversion as its length modifier and letter, a '*' standing for an int argument; nothing
// for a text that holds %n or ends inside a conversion.
std::optional<std::vector<std::wstring>> Conversions(std::wstring_view text) {
    std::vector<std::wstring> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') continue;
        if (++i < text.size() && text[i] == L'%') continue;
        while (i < text.size() && std::wstring_view(L"-+ #0").find(text[i]) != std::wstring_view::npos) ++i;
        for (int part = 0; part < 2; ++part) {  // width, then precision after a dot
            if (part == 1) {
                if (i >= text.size() || text[i] != L'.') break;
                ++i;
            }
            if (i < text.size() && text[i] == L'*') {
                found.push_back(L"*");
                ++i;
            } else {
                while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i;
            }
        }
        std::wstring conversion;
        while (i < text.size() && std::wstring_view(L"hlLqjztwI").find(text[i]) != std::wstring_view::npos) conversion += text[i++];
        if (i >= text.size() || text[i] == L'n') return std::nullopt;
        found.push_back(conversion + text[i]);
    }
    return found;
}

}  // namespace

bool SameConversions(std::wstring_view builtIn, std::wstring_view translated) {
    const auto expected = Conversions(builtIn), actual = Conversions(translated);
    return expected && actual && *expected == *actual;
}

bool IsFormatString(std::uint32_t id) {
    return id == IDS_ITEMCOUNT || id == IDS_SELECTEDCOUNT || id == IDS_LOADINGPROGRESS ||
           (id >= IDS_HOSTDOWN && id <= IDS_LOGFAILED);
}

}  // namespace es
