#include "app/StatusBarLink.h"

#include <shellapi.h>

#include "support/Palette.h"
#include "support/ScrambledText.h"

namespace es {

StatusBarLink::StatusBarLink()
    : font_(::CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial")),
      text_(kLinkText.Plain()) {}

void StatusBarLink::Draw(const DRAWITEMSTRUCT& item) const {
    RECT rect = item.rcItem;
    rect.left += 5;
    const int oldMode = ::SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(item.hDC, ActivePalette().statusLink.text);
    const SelectedObject font(item.hDC, font_.Get());
    ::DrawTextW(item.hDC, text_.c_str(), static_cast<int>(text_.size()), &rect, DT_SINGLELINE | DT_VCENTER);
    ::SetTextColor(item.hDC, oldColor);
    ::SetBkMode(item.hDC, oldMode);
}

void StatusBarLink::Open(HWND owner) const {
    ::ShellExecuteW(owner, L"open", kMakerAddress.Plain().c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace es
