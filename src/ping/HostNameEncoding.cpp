#include "ping/HostNameEncoding.h"

namespace es {

std::optional<std::string> ExactAnsiHostName(const std::wstring& name, const NarrowConversion& narrow,
                                             const WideConversion& widen) {
    if (name.empty()) return std::nullopt;
    std::optional<std::string> ansi = narrow(name);
    if (!ansi || ansi->empty() || ansi->size() > kMaxAnsiHostName) return std::nullopt;
    if (ansi->find('\0') != std::string::npos) return std::nullopt;
    std::optional<std::wstring> back = widen(*ansi);
    if (!back || *back != name) return std::nullopt;
    return ansi;
}

}  // namespace es
