// The dark theme on Win32: whether Windows apps use it, the title bar, the visual style of
// controls, and the colours of dialog controls, all following ActivePalette().
#pragma once

#include <windows.h>

#include <optional>

#include "support/Palette.h"

namespace es {

// AppsUseLightTheme under HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize is 0;
// without the value (older Windows, Wine) apps are light.
bool SystemAppsUseDarkTheme();
// The WM_SETTINGCHANGE that tells that the apps' theme may have changed.
bool IsThemeChangeMessage(LPARAM lParam);

// The caption drawn dark or light through DWM; where DWM does not know the attribute (Windows
// before 10 1809, Wine) the caption stays as it is.
void ApplyTitleBarTheme(HWND window, bool dark);
// The control's visual style: in the dark theme Windows' dark one (dark scroll bars and all), or
// none when darkClass is null (the control then paints in the colours its messages set); its own
// again in the light theme.
void ApplyControlTheme(HWND control, bool dark, const wchar_t* darkClass = L"DarkMode_Explorer");

// The brushes of a COLORREF that our WM_CTLCOLOR answers hand out: the dialog's and the edit
// boxes' background in the active palette (the system's in the light one).
HBRUSH DialogBackgroundBrush();
HBRUSH EditBackgroundBrush();
// A dialog's WM_CTLCOLOR* in the dark palette: the DC's colours set and the brush returned. Nothing
// in the light one, where the system's colours stay.
std::optional<INT_PTR> DarkControlColor(UINT message, WPARAM wParam);
// A dialog just created: its caption and controls in the dark style when the palette is dark.
void ApplyDialogTheme(HWND dialog);

}  // namespace es
