#include "addresses/OptionsDialog.h"

#include <algorithm>

#include "resources/ResourceIds.h"
#include "support/Dpi.h"
#include "support/Text.h"
#include "support/UiFramework.h"

namespace es {

namespace {

constexpr std::size_t kMaxPlacedControls = 128;

// How a control follows the dialog's size: moves (mx, my) and grows (gx, gy) with the change.
struct Anchor {
    int id, mx, my, gx, gy;
};
constexpr Anchor kAnchors[] = {
    {IDC_OPT_ADDRESSES, 0, 0, 1, 1},   {IDC_OPT_TIMEOUTLABEL, 0, 1, 0, 0}, {IDC_OPT_TIMEOUT, 0, 1, 0, 0},
    {IDC_OPT_DOWNAFTERLABEL, 0, 1, 0, 0}, {IDC_OPT_DOWNAFTER, 0, 1, 0, 0},  {IDC_OPT_UPAFTERLABEL, 0, 1, 0, 0},
    {IDC_OPT_UPAFTER, 0, 1, 0, 0},
    {IDC_OPT_PINGEVERY, 0, 1, 0, 0},   {IDC_OPT_SECONDS, 0, 1, 0, 0},      {IDC_OPT_SECONDSLABEL, 0, 1, 0, 0},
    {IDC_OPT_REMEMBER, 0, 1, 0, 0},    {IDC_OPT_IPHOSTDESC, 0, 1, 0, 0},   {IDOK, 1, 1, 0, 0},
    {IDCANCEL, 1, 1, 0, 0},
};

std::wstring ControlText(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetNumber(HWND dialog, int id, std::int32_t value) {
    ::SetDlgItemTextW(dialog, id, std::to_wstring(value).c_str());
}

void SetCheck(HWND dialog, int id, std::int32_t on) {
    ::CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

std::int32_t IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

}  // namespace

OptionsDialog::OptionsDialog() : FormDialog(IDD_PINGOPTIONS) {}

void OptionsDialog::CopyFrom(const AppSettings& s) {
    AddressList = s.addressList;
    PingTimeout = s.PingTimeout;
    DownAfterFailures = s.DownAfterFailures;
    UpAfterSuccesses = s.UpAfterSuccesses;
    PingEvery = s.PingEvery;
    PingEverySeconds = s.PingEverySeconds;
    RememberHosts = s.RememberHosts;
    IPHostDescFormat = s.IPHostDescFormat;
}

void OptionsDialog::CopyTo(AppSettings& s) const {
    s.addressList = AddressList;
    s.PingTimeout = PingTimeout;
    s.DownAfterFailures = std::clamp(DownAfterFailures, kMinThreshold, kMaxThreshold);
    s.UpAfterSuccesses = std::clamp(UpAfterSuccesses, kMinThreshold, kMaxThreshold);
    s.PingEvery = PingEvery;
    s.PingEverySeconds = PingEverySeconds;
    s.RememberHosts = RememberHosts;
    s.IPHostDescFormat = IPHostDescFormat;
}

void OptionsDialog::DataExchange(bool toControls) {
    HWND d = window_;
    if (toControls) {
        ::SetDlgItemTextW(d, IDC_OPT_ADDRESSES, AddressList.c_str());
        SetNumber(d, IDC_OPT_TIMEOUT, PingTimeout);
        SetNumber(d, IDC_OPT_DOWNAFTER, DownAfterFailures);
        SetNumber(d, IDC_OPT_UPAFTER, UpAfterSuccesses);
        SetCheck(d, IDC_OPT_PINGEVERY, PingEvery);
        SetNumber(d, IDC_OPT_SECONDS, PingEverySeconds);
        SetCheck(d, IDC_OPT_REMEMBER, RememberHosts);
        SetCheck(d, IDC_OPT_IPHOSTDESC, IPHostDescFormat);
        return;
    }
    AddressList = ControlText(d, IDC_OPT_ADDRESSES);
    PingTimeout = ParseIntLikeWtoi(ControlText(d, IDC_OPT_TIMEOUT));
    DownAfterFailures = ParseIntLikeWtoi(ControlText(d, IDC_OPT_DOWNAFTER));
    UpAfterSuccesses = ParseIntLikeWtoi(ControlText(d, IDC_OPT_UPAFTER));
    PingEvery = IsChecked(d, IDC_OPT_PINGEVERY);
    PingEverySeconds = ParseIntLikeWtoi(ControlText(d, IDC_OPT_SECONDS));
    RememberHosts = IsChecked(d, IDC_OPT_REMEMBER);
    IPHostDescFormat = IsChecked(d, IDC_OPT_IPHOSTDESC);
}

void OptionsDialog::EnableSeconds() { ::EnableWindow(::GetDlgItem(window_, IDC_OPT_SECONDS), PingEvery != 0); }

bool OptionsDialog::OnInitDialog() {
    RecordLayout();
    HWND combo = ::GetDlgItem(window_, IDC_OPT_TIMEOUT);
    for (unsigned ms = 500; ms <= 5000; ms += 500)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(ms).c_str()));
    ::SetFocus(::GetDlgItem(window_, IDC_OPT_ADDRESSES));
    FormDialog::OnInitDialog();
    EnableSeconds();
    return false;
}

bool OptionsDialog::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED) {
        DataExchange(false);
        EnableSeconds();
    }
    return FormDialog::OnCommand(id, code, control);
}

void OptionsDialog::RecordLayout() {
    placed_.clear();
    ::GetClientRect(window_, &initialClient_);
    for (HWND child = ::GetWindow(window_, GW_CHILD); child && placed_.size() < kMaxPlacedControls;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        placed_.push_back({child, rect});
    }
}

void OptionsDialog::Resize() {
    RECT client;
    ::GetClientRect(window_, &client);
    const int dx = client.right - initialClient_.right, dy = client.bottom - initialClient_.bottom;
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(std::size(kAnchors)));
    for (const Anchor& a : kAnchors) {
        HWND control = ::GetDlgItem(window_, a.id);
        auto it = std::find_if(placed_.begin(), placed_.end(), [&](const Placed& p) { return p.control == control; });
        if (!control || it == placed_.end() || !batch) continue;
        const RECT& r = it->rect;
        batch = ::DeferWindowPos(batch, control, nullptr, r.left + dx * a.mx, r.top + dy * a.my,
                                 r.right - r.left + dx * a.gx, r.bottom - r.top + dy * a.gy,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) ::EndDeferWindowPos(batch);
    ::InvalidateRect(window_, &grip_, TRUE);
}

void OptionsDialog::PaintGrip() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client;
    ::GetClientRect(window_, &client);
    grip_ = client;
    grip_.left = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    grip_.top = client.bottom - ::GetSystemMetrics(SM_CYHSCROLL);
    ::DrawFrameControl(dc, &grip_, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    ::EndPaint(window_, &paint);
}

std::optional<INT_PTR> OptionsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (!placed_.empty()) Resize();
        return std::nullopt;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const int dpi = WindowDpi(window_);  // the minimum is at 96 DPI
        info->ptMinTrackSize.x = ScaleToDpi(kMinWidth, dpi);
        info->ptMinTrackSize.y = ScaleToDpi(kMinHeight, dpi);
        return std::nullopt;
    }
    case WM_PAINT:
        PaintGrip();
        return TRUE;
    default:
        return FormDialog::OnMessage(message, wParam, lParam);
    }
}

}  // namespace es
