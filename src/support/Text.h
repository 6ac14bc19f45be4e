// Small text and path helpers shared by every subsystem. Portable: no platform calls.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace es {

// At most size - 1 characters of src, as a fixed buffer of size characters would hold them.
std::wstring CopyTruncated(std::wstring_view src, std::size_t size);

// Replaces every occurrence of ch by an underscore.
void ReplaceChar(std::wstring& text, wchar_t ch);

// Appends a backslash unless the path is empty or already ends with one.
void AppendBackslash(std::wstring& path);

// The part after the last backslash or slash; the whole path when it has neither.
std::wstring_view GetFileNamePart(std::wstring_view path);

// The path without its last backslash and what follows; a path without one is returned whole.
std::wstring_view DirectoryPart(std::wstring_view path);

// Everything before the last dot of the path (wherever it stands), or the whole path.
std::wstring_view WithoutLastDot(std::wstring_view path);

// Decimal conversion with _wtoi rules: leading white space, optional sign, digits; anything else
// stops the number; no digits give 0; out-of-range values saturate.
int ParseIntLikeWtoi(std::wstring_view text);

// _wcsicmp rules: both texts lower-cased (ASCII letters), then compared by code unit.
int CompareNoCase(std::wstring_view a, std::wstring_view b);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// Only A to Z become a to z.
wchar_t AsciiLower(wchar_t c);

}  // namespace es
