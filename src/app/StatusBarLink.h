// The web link drawn in the second part of the main window's status bar: blue bold text, opened
// in the browser when clicked. Its text and address are kept scrambled in the program's data.
#pragma once

#include <windows.h>

#include <string>

#include "support/Handles.h"

namespace es {

class StatusBarLink {
public:
    static constexpr int kPart = 1;

    StatusBarLink();
    // The font and margin for the DPI the status bar is shown at (96 until told).
    void SetDpi(int dpi);
    // WM_DRAWITEM of the owner-drawn part.
    void Draw(const DRAWITEMSTRUCT& item) const;
    // Opens the address with the shell's "open" verb.
    void Open(HWND owner) const;

private:
    GdiObject font_;
    int margin_ = 5;
    std::wstring text_;
};

}  // namespace es
