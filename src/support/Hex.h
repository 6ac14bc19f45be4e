// The hexadecimal text in which byte-valued settings are stored ("0A FF 00").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace es {

// Longest text BytesToHex produces, terminator excluded.
inline constexpr std::size_t kMaxHexTextLength = 8192;

// Two upper-case digits per byte, separated by one space, no trailing space; stops before the
// text would reach kMaxHexTextLength (2731 bytes at most). False, with an empty text, for no bytes.
bool BytesToHex(const std::uint8_t* bytes, std::size_t count, std::wstring& out);

// Spaces are skipped; any other character starts a two-character pair read as base-16 the way
// wcstoul reads it. Stops when `size` bytes were produced or at the end of the text. On success
// `size` becomes the number of bytes produced; with none produced it is left alone.
bool HexToBytes(std::wstring_view text, std::uint8_t* bytes, std::size_t& size);

}  // namespace es
