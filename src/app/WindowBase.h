// Base of the program's top-level windows: one static window procedure for all of them finds the
// object through the handle map and hands each message to its WindowProc.
#pragma once

#include <windows.h>

#include <string>

namespace es {

class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Window() const { return window_; }

    // The procedure registered for every WindowBase window class.
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowBase* FromHandle(HWND window);


protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Base routing: decodes the message once into the typed handlers below.
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnCommand(UINT /*notifyCode*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    virtual void OnNotify(UINT /*controlId*/, NMHDR* /*header*/) {}
    virtual void OnDestroy() {}
    virtual void OnSize() {}
    virtual void OnCreate() {}

    void SetResult(LRESULT result) {
        handled_ = true;
        result_ = result;
    }

    std::wstring className_;
    HICON icon_ = nullptr;
    HWND window_ = nullptr;
    bool handled_ = false;
    LRESULT result_ = 0;
    bool created_ = false;
    UINT message_ = 0;
    WPARAM wParam_ = 0;
    LPARAM lParam_ = 0;
};

}  // namespace es
