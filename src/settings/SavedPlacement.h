// A window's place kept in a WindowPlacement: read from the window, and set on it again.
#pragma once

#include <windows.h>

#include "settings/WindowPlacement.h"

namespace es {

// The window's placement as GetWindowPlacement gives it; false, placement unchanged, when it cannot.
bool CaptureWindowPlacement(HWND window, WindowPlacement& placement);

// Sets the window's normal rectangle to the saved one cut to the screens as they are now, when the
// saved one is usable; the window is not shown. The rectangle is in workspace coordinates, the
// ones SetWindowPlacement takes: moving the window in screen coordinates would shift it by the
// taskbar at every start.
void RestoreNormalRect(HWND window, const WindowPlacement& placement);

}  // namespace es
