// The window and dialog frameworks: a handler's exception costs only its message, right-to-left
// mirroring moves and flips the children, and dialogs are translated by their template id.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "addresses/OptionsDialog.h"
#include "app/WindowBase.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "support/UiFramework.h"

namespace es {
namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class ThrowingWindow : public WindowBase {
public:
    bool Create() {
        className_ = L"EsFrameworkTest";
        WNDCLASSW wc = {};
        wc.lpfnWndProc = StaticWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = className_.c_str();
        ::RegisterClassW(&wc);
        return ::CreateWindowExW(0, className_.c_str(), L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                 wc.hInstance, this) != nullptr;
    }
    ~ThrowingWindow() override {
        if (window_) ::DestroyWindow(window_);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kThrow) throw std::runtime_error("handler failed");
        if (message == kAnswer) return 42;
        return RouteMessage(message, wParam, lParam);
    }
};

int g_guardCalls = 0;
bool CountingGuard(HWND, void (*call)(void*), void* context) {
    ++g_guardCalls;
    try {
        call(context);
        return true;
    } catch (...) {
        return false;
    }
}

TEST(UiFramework, AnExceptionInAHandlerEndsOnlyThatMessage) {
    ThrowingWindow window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(WindowBase::FromHandle(window.Window()), &window);
    EXPECT_EQ(::SendMessageW(window.Window(), kThrow, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(window.Window(), kAnswer, 0, 0), 42) << "the window goes on";

    SetExceptionGuard(CountingGuard);
    g_guardCalls = 0;
    EXPECT_EQ(::SendMessageW(window.Window(), kThrow, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(window.Window(), kAnswer, 0, 0), 42);
    EXPECT_EQ(g_guardCalls, 2) << "an installed guard runs around every message";
    SetExceptionGuard(nullptr);
}

TEST(UiFramework, RightToLeftMirrorsAChildInsideItsParent) {
    ThrowingWindow window;
    ASSERT_TRUE(window.Create());
    RECT client = {0, 0, 300, 200};
    ::AdjustWindowRectEx(&client, WS_OVERLAPPEDWINDOW, FALSE, 0);
    ::SetWindowPos(window.Window(), nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    HWND child = ::CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 10, 5, 50, 20, window.Window(), nullptr,
                                   nullptr, nullptr);
    RECT parentClient;
    ::GetClientRect(window.Window(), &parentClient);
    ASSERT_EQ(parentClient.right, 300);

    ApplyRightToLeft(window.Window(), kMirrorDescendantStyles | kMirrorDescendantPositions);
    RECT rect;
    ::GetWindowRect(child, &rect);
    POINT origin = {0, 0};
    ::ClientToScreen(window.Window(), &origin);
    EXPECT_EQ(rect.left - origin.x, 10) << "nothing happens while the translation is left-to-right";

    SetRightToLeftLayout(true);
    ApplyRightToLeft(window.Window(), kMirrorDescendantStyles | kMirrorDescendantPositions);
    SetRightToLeftLayout(false);
    EXPECT_TRUE(::GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    EXPECT_TRUE(::GetWindowLongPtrW(window.Window(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    // The child was moved to 300 - 60 = 240..290; the mirrored parent now measures from its right
    // edge, so it reads 10..60 again (an unmoved child would read 240..290).
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, window.Window(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(std::min(rect.left, rect.right), 10);
}

// The OK button's distance from the dialog's left edge, and from its right edge.
std::pair<long, long> OkButtonMargins(bool rightToLeft) {
    SetRightToLeftLayout(rightToLeft);
    OptionsDialog dialog;
    dialog.CreateModeless(nullptr);
    SetRightToLeftLayout(false);
    RECT frame, ok;
    ::GetWindowRect(dialog.Window(), &frame);
    ::GetWindowRect(::GetDlgItem(dialog.Window(), IDOK), &ok);
    ::DestroyWindow(dialog.Window());
    return {ok.left - frame.left, frame.right - ok.right};
}

TEST(UiFramework, AModelessDialogIsMirroredOnce) {
    ResourceTexts texts;
    InstallBuiltInTexts(&texts);
    const auto leftToRight = OkButtonMargins(false);
    const auto rightToLeft = OkButtonMargins(true);
    ASSERT_NE(leftToRight.first, leftToRight.second);
    EXPECT_EQ(rightToLeft.second, leftToRight.first) << "the button's left margin became its right margin";
    EXPECT_EQ(rightToLeft.first, leftToRight.second);
    InstallBuiltInTexts(nullptr);
}

std::vector<std::pair<HWND, int>> g_translated;
void RecordTranslation(HWND dialog, int templateId) { g_translated.emplace_back(dialog, templateId); }

TEST(UiFramework, DialogsAreTranslatedByTheirTemplateIdWhenTheyInitialise) {
    ResourceTexts texts;
    InstallBuiltInTexts(&texts);
    SetDialogTranslator(RecordTranslation);
    g_translated.clear();
    {
        OptionsDialog dialog;
        dialog.CreateModeless(nullptr);
        ASSERT_NE(dialog.Window(), nullptr);
        EXPECT_EQ(DialogBase::OpeningTemplateId(), IDD_PINGOPTIONS);
        ASSERT_EQ(g_translated.size(), 1u);
        EXPECT_EQ(g_translated[0].second, IDD_PINGOPTIONS);
        EXPECT_EQ(DialogBase::FromHandle(dialog.Window()), &dialog);
        HWND handle = dialog.Window();
        ::DestroyWindow(handle);
        EXPECT_EQ(DialogBase::FromHandle(handle), nullptr);
    }
    SetDialogTranslator(nullptr);
    InstallBuiltInTexts(nullptr);
}

}  // namespace
}  // namespace es
