// Driving real windows of the test's own thread: pumping messages until a condition holds, and
// acting on a modal dialog from inside its modal loop.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/WindowBase.h"

namespace testing_es {

// Winsock started once for the whole run, as the program starts it: the engine looks names up.
struct SocketsEnvironment : testing::Environment {
    void SetUp() override {
        WSADATA data;
        ::WSAStartup(0x0101, &data);
    }
};
inline testing::Environment* const kSockets = testing::AddGlobalTestEnvironment(new SocketsEnvironment);

// Dispatches this thread's messages until condition() holds or timeoutMs passed; a WM_QUIT that
// a closing window posts is dropped. onPosted sees every message before it is dispatched.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs,
                      const std::function<void(const MSG&)>& onPosted = {}) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            if (onPosted) onPosted(msg);
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (condition && condition()) return true;
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline void PumpFor(DWORD ms) { PumpUntil({}, ms); }

// A hidden top-level window of a class registered for the WindowBase object self.
inline HWND CreateTestWindow(const wchar_t* className, es::WindowBase* self) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = es::WindowBase::StaticWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, wc.hInstance, self);
}

// Runs action(dialog) on the first visible dialog of this thread, from a thread timer that also
// fires inside modal loops; the action returns true when it is done with the dialog. A dialog
// still open after timeoutMs is cancelled and counted as a failure.
class DialogAutomation {
public:
    using Action = std::function<bool(HWND dialog)>;
    DialogAutomation(Action action, DWORD timeoutMs = 15000)
        : action_(std::move(action)), timer_(::SetTimer(nullptr, 0, 30, OnTimer)), deadline_(::GetTickCount() + timeoutMs) {
        Current() = this;
    }
    ~DialogAutomation() {
        if (timer_) ::KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    bool Done() const { return done_; }
    bool TimedOut() const { return timedOut_; }

private:
    static DialogAutomation*& Current() {
        static DialogAutomation* current = nullptr;
        return current;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        DialogAutomation* self = Current();
        if (!self || self->done_) return;
        HWND dialog = nullptr;  // the first visible dialog of this thread
        do dialog = ::FindWindowExW(nullptr, dialog, L"#32770", nullptr);
        while (dialog && (::GetWindowThreadProcessId(dialog, nullptr) != ::GetCurrentThreadId() || !::IsWindowVisible(dialog)));
        if (dialog && !self->busy_) {
            self->busy_ = true;  // the action may run a nested loop
            self->done_ = self->action_(dialog);
            self->busy_ = false;
        }
        if (!self->done_ && static_cast<LONG>(::GetTickCount() - self->deadline_) > 0) {
            self->timedOut_ = self->done_ = true;
            if (dialog) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

    Action action_;
    UINT_PTR timer_ = 0;
    DWORD deadline_ = 0;
    bool done_ = false, timedOut_ = false, busy_ = false;
};

// The window's text, or that of its control id.
inline std::wstring TextOf(HWND window, int id = 0) {
    wchar_t text[2048] = L"";
    id ? ::GetDlgItemTextW(window, id, text, 2048) : ::GetWindowTextW(window, text, 2048);
    return text;
}

// The text colour a dialog gives its control when it paints it.
inline COLORREF PaintedTextColor(HWND dialog, int id) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    const COLORREF color = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return color;
}

// Presses a dialog button as a click would.
inline void ClickButton(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

}  // namespace testing_es
