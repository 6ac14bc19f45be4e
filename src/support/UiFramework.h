// What every window and dialog of the program shares: the guard around each message handler,
// right-to-left mirroring, the translation of dialog texts, and centring.
#pragma once

#include <windows.h>

namespace es {

// Runs call(context) for one message of window. Returns false when the handler failed; the
// message's result is then 0. The crash report installs its own guard.
using GuardFunction = bool (*)(HWND window, void (*call)(void*), void* context);
void SetExceptionGuard(GuardFunction guard);
bool RunGuarded(HWND window, void (*call)(void*), void* context);
template <typename Handler>
bool RunGuarded(HWND window, Handler& handler) {
    return RunGuarded(window, [](void* h) { (*static_cast<Handler*>(h))(); }, &handler);
}

// What a translation does to the program's windows. The translation installs itself here; without
// one, dialogs keep the texts of their templates and every layout is left-to-right.
class WindowTranslator {
public:
    // The dialog's title and control texts, by the template it was made from.
    virtual void TranslateDialog(HWND dialog, int templateId) const = 0;
    virtual bool RightToLeft() const = 0;

protected:
    ~WindowTranslator() = default;
};
// The translator must outlive every window; null removes it.
void SetWindowTranslator(const WindowTranslator* translator);

// Nothing without a translator.
void TranslateDialog(HWND dialog, int templateId);
inline constexpr int kMirrorDescendantStyles = 2;
inline constexpr int kMirrorDescendantPositions = 1;
// Nothing unless the translator asks for right-to-left layout. Flags 2: every descendant gets
// WS_EX_LAYOUTRTL; flags 1: every descendant moves to its mirror position in its parent; then the
// window itself gets it.
void ApplyRightToLeft(HWND window, int flags);

// Windows and dialogs alike are found from their handles through one map. An object leaves it when
// its handle is destroyed, or at the latest when the object is.
class HandleBound {
public:
    HandleBound() = default;
    HandleBound(const HandleBound&) = delete;
    HandleBound& operator=(const HandleBound&) = delete;
    virtual ~HandleBound();

protected:
    static void Bind(HWND window, HandleBound* object);
    static void Unbind(HWND window);
    static HandleBound* BoundTo(HWND window);
};

// Keeps the size; left and top are (screen - window) / 2.
void CenterWindowOnScreen(HWND window);

}  // namespace es
