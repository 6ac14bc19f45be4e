// A few translated texts are used as printf formats (the status bar's counts). Such a translation
// may only be used in place of a built-in text when it asks the formatter for exactly the same
// arguments; every other text is shown as it stands, so a lone '%' in it is just a character.
#pragma once

#include <cstdint>
#include <string_view>

namespace es {

// True when both texts hold the same conversions in the same order (kind, length modifier and
// '*' arguments; flags, widths and precisions may differ) and neither holds %n.
bool SameConversions(std::wstring_view builtIn, std::wstring_view translated);

// The string ids the program passes to a formatting function.
bool IsFormatString(std::uint32_t id);

}  // namespace es
