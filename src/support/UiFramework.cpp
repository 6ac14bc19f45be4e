#include "support/UiFramework.h"

#include <unordered_map>
#include <vector>

#include "support/Handles.h"

namespace es {

namespace {

// Until the crash report is installed, an exception from a handler still must not take the
// message loop down with it.
bool DefaultGuard(HWND, void (*call)(void*), void* context) {
    try {
        call(context);
        return true;
    } catch (...) {
        return false;
    }
}

GuardFunction g_guard = DefaultGuard;
const WindowTranslator* g_translator = nullptr;

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

}  // namespace

void SetExceptionGuard(GuardFunction guard) { g_guard = guard ? guard : DefaultGuard; }

bool RunGuarded(HWND window, void (*call)(void*), void* context) { return g_guard(window, call, context); }

void SetWindowTranslator(const WindowTranslator* translator) { g_translator = translator; }

void TranslateDialog(HWND dialog, int templateId) {
    if (g_translator) g_translator->TranslateDialog(dialog, templateId);
}

void ApplyRightToLeft(HWND window, int flags) {
    if (!g_translator || !g_translator->RightToLeft() || !window) return;
    std::vector<HWND> descendants;
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&descendants));
    // Positions first: once a parent is mirrored, its coordinates read mirrored too.
    if (flags & kMirrorDescendantPositions) {
        for (HWND child : descendants) {
            HWND parent = ::GetParent(child);
            RECT client, rect;
            ::GetClientRect(parent, &client);
            ::GetWindowRect(child, &rect);
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
            ::SetWindowPos(child, nullptr, client.right - rect.right, rect.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (flags & kMirrorDescendantStyles) {
        for (HWND child : descendants)
            ::SetWindowLongPtrW(child, GWL_EXSTYLE, ::GetWindowLongPtrW(child, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
    }
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, ::GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
}

namespace {

std::unordered_map<HWND, HandleBound*>& HandleMap() {
    static std::unordered_map<HWND, HandleBound*> map;
    return map;
}

}  // namespace

HandleBound::~HandleBound() {
    auto& map = HandleMap();
    for (auto it = map.begin(); it != map.end();) it = it->second == this ? map.erase(it) : std::next(it);
}

void HandleBound::Bind(HWND window, HandleBound* object) { HandleMap()[window] = object; }

void HandleBound::Unbind(HWND window) { HandleMap().erase(window); }

HandleBound* HandleBound::BoundTo(HWND window) {
    auto& map = HandleMap();
    auto it = map.find(window);
    return it == map.end() ? nullptr : it->second;
}

void CenterWindowOnScreen(HWND window) {
    const WindowDC screen(nullptr);
    const int width = ::GetDeviceCaps(screen.Get(), HORZRES), height = ::GetDeviceCaps(screen.Get(), VERTRES);
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::SetWindowPos(window, nullptr, (width - (rect.right - rect.left)) / 2, (height - (rect.bottom - rect.top)) / 2, 0,
                   0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace es
