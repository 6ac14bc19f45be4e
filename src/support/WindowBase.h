// Base of the program's top-level windows. One window procedure serves them all: it finds the
// object through the handle map, runs each message inside the exception guard and decodes it once
// into the typed handlers below. A handler returns its result; a message no handler takes goes to
// DefWindowProc. Nothing of a message is kept in members, so a message sent from inside a handler
// gets a result of its own.
#pragma once

#include <windows.h>

#include <optional>

#include "support/UiFramework.h"

namespace es {

class WindowBase : public HandleBound {
public:

    HWND Window() const { return window_; }

    // The procedure registered for every WindowBase window class; the object is the creation
    // parameter of CreateWindowEx.
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowBase* FromHandle(HWND window);

protected:
    // Every message. This one decodes those of the handlers below; an override takes what it
    // handles and calls it for the rest.
    virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_CREATE, after right-to-left mirroring; false fails the creation.
    virtual bool OnCreate() { return true; }
    // WM_COMMAND; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // WM_NOTIFY; the result, or nothing for DefWindowProc.
    virtual std::optional<LRESULT> OnNotify(NMHDR& /*header*/) { return std::nullopt; }
    virtual void OnSize(int /*width*/, int /*height*/) {}
    virtual void OnDestroy() {}

    HWND window_ = nullptr;
};

}  // namespace es
