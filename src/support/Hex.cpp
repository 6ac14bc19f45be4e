#include "support/Hex.h"

namespace es {

namespace {

const wchar_t kDigits[] = L"0123456789ABCDEF";

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// wcstoul(pair, nullptr, 16) on a text of at most two characters.
std::uint8_t ReadPair(wchar_t first, wchar_t second) {
    wchar_t pair[2] = {first, second};
    std::size_t n = second ? 2 : 1, i = 0;
    while (i < n && IsCSpace(pair[i])) ++i;
    bool negative = false;
    if (i < n && (pair[i] == L'+' || pair[i] == L'-')) negative = pair[i++] == L'-';
    unsigned long value = 0;
    for (; i < n && HexValue(pair[i]) >= 0; ++i) value = value * 16 + static_cast<unsigned long>(HexValue(pair[i]));
    if (negative) value = 0UL - value;
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

bool BytesToHex(const std::uint8_t* bytes, std::size_t count, std::wstring& out) {
    out.clear();
    if (count == 0) return false;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t p = out.size();
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
        out += L' ';
        if (p + 3 >= kMaxHexTextLength) break;
    }
    out.pop_back();
    return true;
}

bool HexToBytes(std::wstring_view text, std::uint8_t* bytes, std::size_t& size) {
    if (text.empty()) return false;
    std::size_t produced = 0, i = 0;
    while (i < text.size() && produced < size) {
        if (text[i] == L' ') {
            ++i;
            continue;
        }
        wchar_t second = i + 1 < text.size() ? text[i + 1] : L'\0';
        bytes[produced++] = ReadPair(text[i], second);
        i += 2;
    }
    if (produced == 0) return false;
    size = produced;
    return true;
}

}  // namespace es
