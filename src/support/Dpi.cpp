#include "support/Dpi.h"

#include "support/Handles.h"

namespace es {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

}  // namespace

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow =
        ModuleFunction<GetDpiForWindowFunction>(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    const int dpi = getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

}  // namespace es
