#include "settings/SavedPlacement.h"

namespace es {

bool CaptureWindowPlacement(HWND window, WindowPlacement& placement) {
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (!window || !::GetWindowPlacement(window, &wp)) return false;
    placement = {static_cast<std::int32_t>(wp.length), static_cast<std::int32_t>(wp.flags),
                 static_cast<std::int32_t>(wp.showCmd), wp.ptMinPosition.x, wp.ptMinPosition.y, wp.ptMaxPosition.x,
                 wp.ptMaxPosition.y, wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                 wp.rcNormalPosition.bottom};
    return true;
}

void RestoreNormalRect(HWND window, const WindowPlacement& placement) {
    if (!placement.IsUsable(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN))) return;
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const ScreenRect rect = placement.NormalRectWithin(
        {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)});
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    wp.showCmd = SW_HIDE;
    wp.rcNormalPosition = {rect.left, rect.top, rect.right, rect.bottom};
    ::SetWindowPlacement(window, &wp);
}

}  // namespace es
