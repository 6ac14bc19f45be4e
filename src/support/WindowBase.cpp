#include "support/WindowBase.h"

#include "support/UiFramework.h"

namespace es {

WindowBase* WindowBase::FromHandle(HWND window) { return dynamic_cast<WindowBase*>(BoundTo(window)); }

LRESULT CALLBACK WindowBase::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<WindowBase*>(create->lpCreateParams)) {
            self->window_ = window;
            Bind(window, self);
        }
    }
    WindowBase* self = FromHandle(window);
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);

    std::optional<LRESULT> result;
    auto call = [&] { result = self->OnMessage(message, wParam, lParam); };
    const bool ran = RunGuarded(window, call);
    if (message == WM_NCDESTROY) {
        Unbind(window);
        self->window_ = nullptr;
    }
    if (!ran) return 0;
    return result ? *result : ::DefWindowProcW(window, message, wParam, lParam);
}

std::optional<LRESULT> WindowBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        ApplyRightToLeft(window_, 0);
        return OnCreate() ? 0 : -1;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    case WM_NOTIFY:
        if (lParam) return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace es
