// Texts kept scrambled in the program's data (the maker's name line, link text and web address),
// made plain only where they are used; each lives here once.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace es {

inline constexpr wchar_t kScrambleKey = 0x5A;

template <std::size_t N>
struct ScrambledText {
    std::array<wchar_t, N> chars{};
    constexpr explicit ScrambledText(const wchar_t (&plain)[N]) {
        for (std::size_t i = 0; i < N; ++i) chars[i] = static_cast<wchar_t>(plain[i] ^ kScrambleKey);
    }
    std::wstring Plain() const {
        std::wstring text;
        for (std::size_t i = 0; i + 1 < N; ++i) text += static_cast<wchar_t>(chars[i] ^ kScrambleKey);
        return text;
    }
};

inline constexpr ScrambledText kLinkText(L"echosentinel.example");
// Opened from the status bar and About, and the link of the HTML reports' credit line.
inline constexpr ScrambledText kMakerAddress(L"https://echosentinel.example/");
inline constexpr ScrambledText kNameLine(L"EchoSentinel: every host of the list pinged round after round");

}  // namespace es
