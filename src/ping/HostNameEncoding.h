// Host names are looked up in the system's ANSI code page. A name is looked up only when its
// conversion reads back unchanged, so a lossy one (best-fit or default characters) never looks up
// another host. The rule holds for every code page, UTF-8 included, where the platform refuses
// the flags that would report the loss directly.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace es {

// The longest name the lookup takes, in bytes, without its terminator.
inline constexpr std::size_t kMaxAnsiHostName = 255;

using NarrowConversion = std::function<std::optional<std::string>(const std::wstring&)>;
using WideConversion = std::function<std::optional<std::wstring>(const std::string&)>;

// The name in the code page of the two conversions, or nothing when it has no exact form there,
// is empty, or is longer than kMaxAnsiHostName bytes.
std::optional<std::string> ExactAnsiHostName(const std::wstring& name, const NarrowConversion& narrow,
                                             const WideConversion& widen);

}  // namespace es
