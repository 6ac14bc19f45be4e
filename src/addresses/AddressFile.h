// Decoding of an address file's bytes: UTF-16LE with or without its mark, else ANSI text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace es {

inline constexpr std::size_t kMaxAddressFileBytes = 8388608;

// ANSI bytes (no terminator) to wide text; the system code page on Windows.
using AnsiDecoder = std::function<std::wstring(std::string_view)>;

// FF FE first: UTF-16LE after the mark; a second byte of 0: UTF-16LE from the start; else ANSI.
// The text ends at its first NUL, as it would in the zero-padded buffer it is read into; an odd
// last byte of UTF-16 forms one code unit with a zero high byte.
std::wstring DecodeAddressFile(std::string_view bytes, const AnsiDecoder& fromAnsi);

// The hosts file's text: size / 2 code units (an odd last byte dropped), up to the first NUL.
std::wstring DecodeHostsFile(std::string_view bytes);

}  // namespace es
