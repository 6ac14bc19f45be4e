#include "app/MainWindow.h"

#include "resources/ResourceIds.h"

namespace es {

MainWindow::MainWindow() { className_ = L"EchoSentinel"; }

bool MainWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    icon_ = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPICON));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon_;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className_.c_str();
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, className_.c_str(), L"EchoSentinel", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                             nullptr, instance, this) != nullptr;
}

void MainWindow::LoadAccelerators(HINSTANCE instance) {
    accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
}

void MainWindow::OnCreate() {
    mainMenu_.Reset(::LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MAINMENU)));
    ::SetMenu(window_, mainMenu_.Get());
}

void MainWindow::OnCommand(UINT notifyCode, WPARAM wParam, LPARAM) {
    if (notifyCode > 1) return;
    if (LOWORD(wParam) == IDM_EXIT) ::SendMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::OnDestroy() {
    // WM_QUERYENDSESSION runs the same handler; a later WM_DESTROY must not run it again.
    if (destroyed_) return;
    destroyed_ = true;
    if (message_ == WM_QUERYENDSESSION) SetResult(TRUE);
    // The menu belongs to the window once attached; the window destroys it.
    if (window_ && ::GetMenu(window_) == mainMenu_.Get()) mainMenu_.Release();
    ::PostQuitMessage(0);
}

}  // namespace es
