// UTF-16LE encoding and decoding: the only place that knows how wide wchar_t is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace es {

// Two bytes per UTF-16 code unit, low byte first; no byte-order mark, no terminator.
std::string EncodeUtf16Le(std::wstring_view text);

// `count` bytes of UTF-16LE; an odd last byte is dropped.
std::wstring DecodeUtf16Le(const std::uint8_t* bytes, std::size_t count);

// UTF-8 without a byte-order mark; a surrogate pair is one character, a lone surrogate (or any
// value that is no character) becomes U+FFFD, so the bytes are always valid UTF-8.
std::string EncodeUtf8(std::wstring_view text);

// Number of UTF-16 code units the text takes.
std::size_t Utf16Length(std::wstring_view text);

}  // namespace es

namespace es {

// Cuts the text to at most `units` UTF-16 code units, as a fixed buffer of units + 1 would.
void TruncateUtf16(std::wstring& text, std::size_t units);
// Appends spaces until the text takes at least `units` UTF-16 code units.
void PadUtf16(std::wstring& text, std::size_t units);

}  // namespace es
