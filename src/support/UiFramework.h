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

// Whether the translation asks for right-to-left layout; off until a translation says so.
void SetRightToLeftLayout(bool on);
inline constexpr int kMirrorDescendantStyles = 2;
inline constexpr int kMirrorDescendantPositions = 1;
// Nothing unless right-to-left is on. Flags 2: every descendant gets WS_EX_LAYOUTRTL; flags 1:
// every descendant moves to its mirror position in its parent; then the window itself gets it.
void ApplyRightToLeft(HWND window, int flags);

// Replaces a dialog's texts by those of the translation for its template; nothing by default.
using DialogTranslator = void (*)(HWND dialog, int templateId);
void SetDialogTranslator(DialogTranslator translator);
void TranslateDialog(HWND dialog, int templateId);

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
