// The DPI a window is shown at. GetDpiForWindow exists from Windows 10 1607 on (and not in every
// Wine), so it is looked up at run time; without it the screen's DPI stands for every window.
#pragma once

#include <windows.h>

#include "support/DpiScale.h"

namespace es {

int WindowDpi(HWND window);
// The screen's DPI as a device context reports it: the system DPI of a DPI-aware program.
int ScreenDpi();

}  // namespace es
