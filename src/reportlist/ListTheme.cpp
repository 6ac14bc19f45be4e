#include "reportlist/ListTheme.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "support/DarkMode.h"
#include "support/Palette.h"

namespace es {

namespace {

constexpr UINT_PTR kSubclassId = 0x4C54;  // "LT"

HWND HeaderOf(HWND listView) { return reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0)); }

// One header item drawn whole, as the system lays it out (text from the margin, the sort image
// at the right): the system's own drawing takes its background from the visual style, which has
// no dark header everywhere.
void DrawHeaderItem(HWND header, const NMCUSTOMDRAW& draw, const TextColors& colors) {
    const RECT& rect = draw.rc;
    const COLORREF previous = ::SetBkColor(draw.hdc, colors.background);
    ::ExtTextOutW(draw.hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    wchar_t text[260] = L"";
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    ::SendMessageW(header, HDM_GETITEMW, draw.dwItemSpec, reinterpret_cast<LPARAM>(&item));
    const int margin = 3 * ::GetSystemMetrics(SM_CXEDGE);
    RECT textRect = {rect.left + margin, rect.top, rect.right - margin, rect.bottom};
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
    int imageWidth = 0, imageHeight = 0;
    if ((item.fmt & HDF_IMAGE) && images && ::ImageList_GetIconSize(images, &imageWidth, &imageHeight)) {
        textRect.right -= imageWidth + margin;
        if (textRect.right > textRect.left)
            ::ImageList_Draw(images, item.iImage, draw.hdc, textRect.right + margin, rect.top + (rect.bottom - rect.top - imageHeight) / 2,
                             ILD_TRANSPARENT);
    }
    ::SetTextColor(draw.hdc, colors.text);
    ::SetBkMode(draw.hdc, TRANSPARENT);
    ::DrawTextW(draw.hdc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    // The divider, halfway between background and text, where the column can be dragged wider.
    const auto half = [&](int shift) { return static_cast<int>(((colors.text >> shift & 0xFF) + (colors.background >> shift & 0xFF)) / 2); };
    ::SetBkColor(draw.hdc, RGB(half(0), half(8), half(16)));
    const RECT divider = {rect.right - 1, rect.top + 3, rect.right, rect.bottom - 3};
    ::ExtTextOutW(draw.hdc, 0, 0, ETO_OPAQUE, &divider, nullptr, 0, nullptr);
    ::SetBkColor(draw.hdc, previous);
}

LRESULT HeaderCustomDraw(HWND header, NMCUSTOMDRAW& draw, const TextColors& colors) {
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT:
        DrawHeaderItem(header, draw, colors);
        return CDRF_SKIPDEFAULT;
    case CDDS_POSTPAINT: {  // the strip right of the last item
        RECT rest;
        ::GetClientRect(header, &rest);
        const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT item = {};
            if (::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
                rest.left = std::max(rest.left, item.right);
        }
        const COLORREF previous = ::SetBkColor(draw.hdc, colors.background);
        ::ExtTextOutW(draw.hdc, 0, 0, ETO_OPAQUE, &rest, nullptr, 0, nullptr);
        ::SetBkColor(draw.hdc, previous);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

// The header tells its custom draw to the list view, its parent, which keeps it to itself.
LRESULT CALLBACK ListSubclass(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NOTIFY && ActivePalette().dark) {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.hwndFrom == HeaderOf(list) && header.code == static_cast<UINT>(NM_CUSTOMDRAW))
            return HeaderCustomDraw(header.hwndFrom, reinterpret_cast<NMCUSTOMDRAW&>(header), ActivePalette().header);
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(list, ListSubclass, kSubclassId);
    return ::DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void ListTheme::Apply(HWND listView) {
    const Palette& palette = ActivePalette();
    if (palette.dark == dark_) return;
    dark_ = palette.dark;
    if (dark_) {
        original_ = {static_cast<COLORREF>(::SendMessageW(listView, LVM_GETBKCOLOR, 0, 0)),
                     static_cast<COLORREF>(::SendMessageW(listView, LVM_GETTEXTCOLOR, 0, 0)),
                     static_cast<COLORREF>(::SendMessageW(listView, LVM_GETTEXTBKCOLOR, 0, 0))};
        if (!hooked_) hooked_ = ::SetWindowSubclass(listView, ListSubclass, kSubclassId, 0) != FALSE;
    }
    const ListColors colors = dark_ ? ListColors{palette.list.background, palette.list.text, palette.list.background} : original_;
    ::SendMessageW(listView, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colors.background));
    ::SendMessageW(listView, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colors.text));
    ::SendMessageW(listView, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colors.textBackground));
    ApplyControlTheme(listView, dark_);
    ApplyControlTheme(HeaderOf(listView), dark_, L"DarkMode_ItemsView");
    ::InvalidateRect(listView, nullptr, TRUE);
    ::InvalidateRect(HeaderOf(listView), nullptr, TRUE);
}

}  // namespace es
