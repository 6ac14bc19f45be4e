#include "app/WindowBase.h"

#include "support/UiFramework.h"

#include <unordered_map>

namespace es {

namespace {

std::unordered_map<HWND, WindowBase*>& WindowMap() {
    static std::unordered_map<HWND, WindowBase*> map;
    return map;
}

}  // namespace

WindowBase::~WindowBase() {
    if (window_) WindowMap().erase(window_);
}

WindowBase* WindowBase::FromHandle(HWND window) {
    auto& map = WindowMap();
    auto it = map.find(window);
    return it == map.end() ? nullptr : it->second;
}

LRESULT CALLBACK WindowBase::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<WindowBase*>(create->lpCreateParams)) {
            self->window_ = window;
            WindowMap()[window] = self;
        }
    }
    WindowBase* self = FromHandle(window);
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    auto call = [&] { result = self->WindowProc(message, wParam, lParam); };
    if (!RunGuarded(window, call)) result = 0;
    if (message == WM_DESTROY) {
        WindowMap().erase(window);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT WindowBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return RouteMessage(message, wParam, lParam);
}

LRESULT WindowBase::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    handled_ = false;
    message_ = message;
    wParam_ = wParam;
    lParam_ = lParam;
    switch (message) {
    case WM_CREATE:
        ApplyRightToLeft(window_, 0);
        OnCreate();
        created_ = true;
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SIZE:
        OnSize();
        break;
    case WM_NOTIFY:
        OnNotify(static_cast<UINT>(wParam), reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_COMMAND:
        OnCommand(HIWORD(wParam), wParam, lParam);
        break;
    default:
        break;
    }
    return handled_ ? result_ : ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace es
