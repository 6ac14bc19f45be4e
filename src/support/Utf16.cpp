#include "support/Utf16.h"

namespace es {

namespace {

void PutUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
}

}  // namespace

std::string EncodeUtf16Le(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (wchar_t c : text) {
        auto code = static_cast<std::uint32_t>(c);
        if constexpr (sizeof(wchar_t) > 2) {
            if (code > 0xFFFF && code <= 0x10FFFF) {
                code -= 0x10000;
                PutUnit(out, 0xD800 + (code >> 10));
                PutUnit(out, 0xDC00 + (code & 0x3FF));
                continue;
            }
        }
        PutUnit(out, code);
    }
    return out;
}

std::wstring DecodeUtf16Le(const std::uint8_t* bytes, std::size_t count) {
    std::wstring out;
    out.reserve(count / 2);
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        std::uint32_t unit = bytes[i] | (static_cast<std::uint32_t>(bytes[i + 1]) << 8);
        if constexpr (sizeof(wchar_t) > 2) {
            if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < count) {
                std::uint32_t low = bytes[i + 2] | (static_cast<std::uint32_t>(bytes[i + 3]) << 8);
                if (low >= 0xDC00 && low < 0xE000) {
                    out += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    i += 2;
                    continue;
                }
            }
        }
        out += static_cast<wchar_t>(unit);
    }
    return out;
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto code = static_cast<std::uint32_t>(text[i]);
        // A pair arrives as two units from UTF-16 text, whatever the width of wchar_t.
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
            const auto low = static_cast<std::uint32_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if ((code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::size_t Utf16Length(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return text.size();
    } else {
        std::size_t n = 0;
        constexpr std::uint32_t kLastBmp = 0xFFFF;
        for (wchar_t c : text) n += static_cast<std::uint64_t>(c) > kLastBmp ? 2 : 1;
        return n;
    }
}

}  // namespace es

namespace es {

namespace {
std::size_t UnitsOf(wchar_t c) {
    if constexpr (sizeof(wchar_t) > 2) {
        if ((static_cast<std::uint32_t>(c) >> 16) != 0) return 2;
    }
    static_cast<void>(c);
    return 1;
}
}  // namespace

void TruncateUtf16(std::wstring& text, std::size_t units) {
    if (text.size() <= units / 2) return;  // fast path: cannot exceed
    std::size_t used = 0, i = 0;
    for (; i < text.size(); ++i) {
        if (used + UnitsOf(text[i]) > units) break;
        used += UnitsOf(text[i]);
    }
    text.resize(i);
}

void PadUtf16(std::wstring& text, std::size_t units) {
    std::size_t length = sizeof(wchar_t) > 2 ? Utf16Length(text) : text.size();
    if (length < units) text.append(units - length, L' ');
}

}  // namespace es
