#include "app/StatusBarLink.h"

#include <shellapi.h>

#include <array>

namespace es {

namespace {

constexpr wchar_t kScrambleKey = 0x5A;
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
constexpr ScrambledText kLinkText(L"echosentinel.example");
constexpr ScrambledText kLinkAddress(L"https://echosentinel.example/");

}  // namespace

StatusBarLink::StatusBarLink()
    : font_(::CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial")),
      text_(kLinkText.Plain()) {}

void StatusBarLink::Draw(const DRAWITEMSTRUCT& item) const {
    RECT rect = item.rcItem;
    rect.left += 5;
    const int oldMode = ::SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(item.hDC, RGB(0, 0, 255));
    HGDIOBJ oldFont = ::SelectObject(item.hDC, font_.Get());
    ::DrawTextW(item.hDC, text_.c_str(), static_cast<int>(text_.size()), &rect, DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(item.hDC, oldFont);
    ::SetTextColor(item.hDC, oldColor);
    ::SetBkMode(item.hDC, oldMode);
}

void StatusBarLink::Open(HWND owner) const {
    ::ShellExecuteW(owner, L"open", kLinkAddress.Plain().c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace es
