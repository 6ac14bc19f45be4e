#include "support/DarkMode.h"

#include <commctrl.h>

#include <iterator>
#include <string_view>

#include "support/Handles.h"

namespace es {

namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE; builds of Windows 10 before 20H1 knew it as 19.
constexpr DWORD kImmersiveDarkMode = 20;
constexpr DWORD kImmersiveDarkModeBefore20H1 = 19;

// The module stays loaded: the function is used for the whole run.
template <typename Function>
Function LoadSystemFunction(const wchar_t* dll, const char* name) {
    return ModuleFunction<Function>(::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), name);
}

using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

// The dark palette's brushes, kept for the run: controls paint with them after the answer returned.
HBRUSH DarkBrush(bool edit) {
    static const GdiObject dialog(::CreateSolidBrush(DarkPalette().dialog.background));
    static const GdiObject editBoxes(::CreateSolidBrush(DarkPalette().edit.background));
    return static_cast<HBRUSH>(edit ? editBoxes.Get() : dialog.Get());
}

}  // namespace

bool SystemAppsUseDarkTheme() {
    DWORD value = 1, size = sizeof(value);
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                          L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS && value == 0;
}

bool IsThemeChangeMessage(LPARAM lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return area && std::wstring_view(area) == L"ImmersiveColorSet";
}

void ApplyTitleBarTheme(HWND window, bool dark) {
    static const auto setAttribute = LoadSystemFunction<DwmSetWindowAttributeFunction>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (!setAttribute || !window) return;
    const BOOL value = dark;
    if (FAILED(setAttribute(window, kImmersiveDarkMode, &value, sizeof(value))))
        setAttribute(window, kImmersiveDarkModeBefore20H1, &value, sizeof(value));
}

void ApplyControlTheme(HWND control, bool dark, const wchar_t* darkClass) {
    static const auto setTheme = LoadSystemFunction<SetWindowThemeFunction>(L"uxtheme.dll", "SetWindowTheme");
    if (!setTheme || !control) return;
    if (!dark) setTheme(control, nullptr, nullptr);
    else if (darkClass) setTheme(control, darkClass, nullptr);
    else setTheme(control, L" ", L" ");  // names no style at all
}

HBRUSH DialogBackgroundBrush() {
    return ActivePalette().dark ? DarkBrush(false) : ::GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH EditBackgroundBrush() {
    return ActivePalette().dark ? DarkBrush(true) : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

std::optional<INT_PTR> DarkControlColor(UINT message, WPARAM wParam) {
    const Palette& palette = ActivePalette();
    if (!palette.dark) return std::nullopt;
    const bool edit = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    if (!edit && message != WM_CTLCOLORDLG && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN) return std::nullopt;
    const TextColors& colors = edit ? palette.edit : palette.dialog;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, colors.text);
    ::SetBkColor(dc, colors.background);
    return reinterpret_cast<INT_PTR>(edit ? EditBackgroundBrush() : DialogBackgroundBrush());
}

void ApplyDialogTheme(HWND dialog) {
    if (!ActivePalette().dark) return;
    ApplyTitleBarTheme(dialog, true);
    ::EnumChildWindows(
        dialog,
        [](HWND control, LPARAM) -> BOOL {
            ApplyControlTheme(control, true);
            wchar_t className[32] = L"";
            ::GetClassNameW(control, className, static_cast<int>(std::size(className)));
            if (std::wstring_view(className) == WC_LISTVIEWW) {  // a list view takes no WM_CTLCOLOR
                const TextColors& colors = DarkPalette().edit;
                ::SendMessageW(control, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colors.background));
                ::SendMessageW(control, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colors.background));
                ::SendMessageW(control, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colors.text));
            }
            return TRUE;
        },
        0);
}

}  // namespace es
