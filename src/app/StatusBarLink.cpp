#include "app/StatusBarLink.h"

#include <shellapi.h>

#include "support/DpiScale.h"
#include "support/ScrambledText.h"

namespace es {

namespace {

constexpr int kFontHeight = 14;
constexpr int kMargin = 5;

HFONT CreateLinkFont(int height) {
    return ::CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
}

}  // namespace

StatusBarLink::StatusBarLink() : font_(CreateLinkFont(kFontHeight)), text_(kLinkText.Plain()) {}

void StatusBarLink::SetDpi(int dpi) {
    font_.Reset(CreateLinkFont(ScaleToDpi(kFontHeight, dpi)));
    margin_ = ScaleToDpi(kMargin, dpi);
}

void StatusBarLink::Draw(const DRAWITEMSTRUCT& item) const {
    RECT rect = item.rcItem;
    rect.left += margin_;
    const int oldMode = ::SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(item.hDC, RGB(0, 0, 255));
    const SelectedObject font(item.hDC, font_.Get());
    ::DrawTextW(item.hDC, text_.c_str(), static_cast<int>(text_.size()), &rect, DT_SINGLELINE | DT_VCENTER);
    ::SetTextColor(item.hDC, oldColor);
    ::SetBkMode(item.hDC, oldMode);
}

void StatusBarLink::Open(HWND owner) const {
    ::ShellExecuteW(owner, L"open", kMakerAddress.Plain().c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace es
