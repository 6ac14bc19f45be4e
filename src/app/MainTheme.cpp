// The main window in the light or the dark theme: the Theme commands, what follows Windows' own
// theme while Theme is System, and the painting of the parts that take colours from us.
#include "app/MainWindow.h"

#include <commctrl.h>

#include "resources/ResourceIds.h"
#include "support/DarkMode.h"

namespace es {

void MainWindow::UseSystemTheme() {
    settings_.Theme = kThemeSystem;
    ApplyTheme();
}

void MainWindow::UseLightTheme() {
    settings_.Theme = kThemeLight;
    ApplyTheme();
}

void MainWindow::UseDarkTheme() {
    settings_.Theme = kThemeDark;
    ApplyTheme();
}

void MainWindow::ApplyTheme() {
    if (mainMenu_)
        ::CheckMenuRadioItem(mainMenu_.Get(), IDM_THEMESYSTEM, IDM_THEMEDARK, IDM_THEMESYSTEM + static_cast<UINT>(settings_.Theme),
                             MF_BYCOMMAND);
    const bool dark = settings_.Theme == kThemeDark || (settings_.Theme == kThemeSystem && SystemAppsUseDarkTheme());
    if (dark == darkApplied_) return;
    darkApplied_ = dark;
    UseDarkPalette(dark);
    ApplyTitleBarTheme(window_, dark);
    listTheme_.Apply(listView_);
    ApplyStatusBarTheme(dark);
    // The toolbar asks for its background only with this style; asked in the light theme, it is
    // told to draw its own.
    const LONG_PTR style = ::GetWindowLongPtrW(toolbar_, GWL_STYLE);
    ::SetWindowLongPtrW(toolbar_, GWL_STYLE, dark ? style | TBSTYLE_CUSTOMERASE : style & ~LONG_PTR{TBSTYLE_CUSTOMERASE});
    ::InvalidateRect(toolbar_, nullptr, TRUE);
    if (graph_.IsOpen()) {
        ApplyTitleBarTheme(graph_.Window(), dark);
        graph_.Redraw();
    }
}

void MainWindow::ApplyStatusBarTheme(bool dark) {
    // A visual style paints the status bar's background itself, whatever colour it was given.
    ApplyControlTheme(statusBar_, dark, nullptr);
    ::SendMessageW(statusBar_, SB_SETBKCOLOR, 0, static_cast<LPARAM>(dark ? ActivePalette().status.background : CLR_DEFAULT));
    SetStatusText(statusText_);
    ::InvalidateRect(statusBar_, nullptr, TRUE);
}

void MainWindow::SetStatusText(const std::wstring& text) {
    statusText_ = text;
    if (darkApplied_) ::SendMessageW(statusBar_, SB_SETTEXTW, SBT_OWNERDRAW, 0);
    else ::SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::DrawStatusText(const DRAWITEMSTRUCT& item) const {
    RECT rect = item.rcItem;
    rect.left += 2;
    const int oldMode = ::SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(item.hDC, ActivePalette().status.text);
    ::DrawTextW(item.hDC, statusText_.c_str(), static_cast<int>(statusText_.size()), &rect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(item.hDC, oldColor);
    ::SetBkMode(item.hDC, oldMode);
}

std::optional<LRESULT> MainWindow::OnToolbarCustomDraw(NMCUSTOMDRAW& draw) const {
    if (!darkApplied_ || draw.dwDrawStage != CDDS_PREERASE) return std::nullopt;
    RECT all;
    ::GetClientRect(toolbar_, &all);
    const COLORREF previous = ::SetBkColor(draw.hdc, ActivePalette().toolbar);
    ::ExtTextOutW(draw.hdc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ::SetBkColor(draw.hdc, previous);
    return CDRF_SKIPDEFAULT;
}

}  // namespace es
