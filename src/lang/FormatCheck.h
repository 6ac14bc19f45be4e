// Translated texts are used as printf formats ("共 %d 項", the loading and selection texts, report
// lines). A translation may only be used in place of a built-in text when it asks the formatter
// for exactly the same arguments.
#pragma once

#include <string_view>

namespace es {

// True when both texts hold the same conversions in the same order (kind, length modifier and
// '*' arguments; flags, widths and precisions may differ) and neither holds %n.
bool SameConversions(std::wstring_view builtIn, std::wstring_view translated);

}  // namespace es
