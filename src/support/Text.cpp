#include "support/Text.h"

#include <climits>
#include <cwctype>

namespace es {

std::wstring CopyTruncated(std::wstring_view src, std::size_t size) {
    if (size == 0) return {};
    return std::wstring(src.substr(0, size - 1));
}

void ReplaceChar(std::wstring& text, wchar_t ch) {
    for (auto& c : text)
        if (c == ch) c = L'_';
}

void AppendBackslash(std::wstring& path) {
    if (!path.empty() && path.back() != L'\\') path += L'\\';
}

std::wstring_view GetFileNamePart(std::wstring_view path) {
    auto pos = path.find_last_of(L"\\/");
    return pos == std::wstring_view::npos ? path : path.substr(pos + 1);
}

std::wstring_view DirectoryPart(std::wstring_view path) {
    auto pos = path.rfind(L'\\');
    return pos == std::wstring_view::npos ? path : path.substr(0, pos);
}

std::wstring_view WithoutLastDot(std::wstring_view path) {
    auto pos = path.rfind(L'.');
    return pos == std::wstring_view::npos ? path : path.substr(0, pos);
}

int ParseIntLikeWtoi(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;
        auto ca = static_cast<unsigned long>(AsciiLower(a[i]));
        auto cb = static_cast<unsigned long>(AsciiLower(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) { return CompareNoCase(a, b) == 0; }

}  // namespace es
