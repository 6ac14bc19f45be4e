// The main window at the DPI of the screen it is on: the pictures of the nearest size, the status
// bar's parts, the fonts, and all of them made again when the window moves to a screen of another DPI.
#include "app/MainWindow.h"

#include <commctrl.h>

#include <array>

#include "resources/ResourceIds.h"
#include "support/Dpi.h"

namespace es {

namespace {

// Each picture at the sizes of kImageSizes, in that order.
constexpr std::array<std::array<int, 4>, 4> kPictures = {{
    {IDB_TOOLBAR, IDB_TOOLBAR20, IDB_TOOLBAR24, IDB_TOOLBAR32},
    {IDB_ROWIMAGES, IDB_ROWIMAGES20, IDB_ROWIMAGES24, IDB_ROWIMAGES32},
    {IDB_SORTASCENDING, IDB_SORTASCENDING20, IDB_SORTASCENDING24, IDB_SORTASCENDING32},
    {IDB_SORTDESCENDING, IDB_SORTDESCENDING20, IDB_SORTDESCENDING24, IDB_SORTDESCENDING32},
}};
// The right edges of the status bar's two parts at 96 DPI.
constexpr int kStatusPartEdges[] = {300, 1024};

}  // namespace

int MainWindow::PictureId(int picture16, int size) {
    for (const auto& sizes : kPictures) {
        if (sizes[0] != picture16) continue;
        for (std::size_t i = 0; i < sizes.size(); ++i)
            if (kImageSizes[i] == size) return sizes[i];
    }
    return picture16;
}

void MainWindow::CreateImageLists() {
    const int size = ImageSizeForDpi(dpi_);
    view_.CreateImageLists(instance_, size, PictureId(IDB_ROWIMAGES, size), RGB(0, 128, 128),
                           PictureId(IDB_SORTASCENDING, size), PictureId(IDB_SORTDESCENDING, size));
}

void MainWindow::SetStatusParts() {
    int parts[std::size(kStatusPartEdges)];
    for (std::size_t i = 0; i < std::size(parts); ++i) parts[i] = ScaleToDpi(kStatusPartEdges[i], dpi_);
    ::SendMessageW(statusBar_, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));
}

// The controls take their fonts from the system, made for the DPI the program started at; on a
// screen of another DPI the list and the status bar get the same fonts at this one.
void MainWindow::ScaleFonts(int fromDpi) {
    if (fromDpi == dpi_) return;
    LOGFONTW font = {};
    auto current = reinterpret_cast<HGDIOBJ>(::SendMessageW(listView_, WM_GETFONT, 0, 0));
    if (!current || !::GetObjectW(current, sizeof(font), &font)) ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfHeight = RescaleDpi(font.lfHeight, fromDpi, dpi_);
    GdiObject scaled(::CreateFontIndirectW(&font));
    if (!scaled) return;
    for (HWND control : {listView_, statusBar_})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.Get()), TRUE);
    listFont_ = std::move(scaled);  // the old one only now, when no control uses it any more
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0) return;
    const int previous = dpi_;
    dpi_ = dpi;
    if (previous != dpi) {
        // A toolbar made anew, in the old one's place in the tab order.
        HWND old = toolbar_;
        const bool focused = ::GetFocus() == old;
        CreateToolbar();
        ::SetWindowPos(toolbar_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::DestroyWindow(old);
        if (focused) ::SetFocus(toolbar_);
        UpdateCommandStates(nullptr);
        view_.SetDpi(dpi);
        CreateImageLists();
        ScaleFonts(previous);
        link_.SetDpi(dpi);
        SetStatusParts();
        ::SendMessageW(statusBar_, WM_SIZE, 0, 0);  // its height follows the new font
    }
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    ::GetClientRect(window_, &client);
    OnSize(client.right, client.bottom);
    ::InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace es
