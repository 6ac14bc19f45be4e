// The report list view and its header in the colours of the active palette. The light palette
// gives the list back the colours it had before the dark one, and the header its default drawing.
#pragma once

#include <windows.h>

namespace es {

class ListTheme {
public:
    void Apply(HWND listView);

private:
    struct ListColors {
        COLORREF background, text, textBackground;
    };
    ListColors original_ = {};
    bool dark_ = false;
    bool hooked_ = false;
};

}  // namespace es
