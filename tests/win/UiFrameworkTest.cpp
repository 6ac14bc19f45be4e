// The window and dialog frameworks: each message has its own result, also one sent from inside a
// handler; a handler's exception costs only its message; a right-to-left dialog is mirrored once;
// dialogs are translated by template id and end as they were opened.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "addresses/OptionsDialog.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "support/UiFramework.h"
#include "support/WindowBase.h"
#include "win/UiDriver.h"

namespace es {
namespace {

constexpr UINT kThrow = WM_APP + 1, kAnswer = WM_APP + 2, kOuter = WM_APP + 3;

class TestWindow : public WindowBase {
public:
    TestWindow() { testing_es::CreateTestWindow(L"EsFrameworkTest", this); }
    ~TestWindow() override {
        if (window_) ::DestroyWindow(window_);
    }
    LRESULT inner = 0;

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kThrow) throw std::runtime_error("handler failed");
        if (message == kAnswer) return 42;
        if (message == kOuter) {
            inner = ::SendMessageW(window_, kAnswer, 0, 0);
            return 7;
        }
        return WindowBase::OnMessage(message, wParam, lParam);
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

TEST(UiFramework, EachMessageHasItsOwnResultInsideTheGuard) {
    TestWindow window;
    ASSERT_EQ(WindowBase::FromHandle(window.Window()), &window);
    SetExceptionGuard(CountingGuard);
    g_guardCalls = 0;
    EXPECT_EQ(::SendMessageW(window.Window(), kOuter, 0, 0), 7) << "not the result of the message sent inside";
    EXPECT_EQ(window.inner, 42);
    EXPECT_EQ(::SendMessageW(window.Window(), kThrow, 0, 0), 0) << "a failed handler yields 0";
    SetExceptionGuard(nullptr);
    EXPECT_EQ(g_guardCalls, 3) << "an installed guard runs around every message";
}

std::vector<int> g_translated;
void RecordTranslation(HWND, int templateId) { g_translated.push_back(templateId); }

// The OK button's distance from the dialog's left edge, and from its right edge.
std::pair<long, long> OkButtonMargins(bool rightToLeft) {
    SetRightToLeftLayout(rightToLeft);
    OptionsDialog dialog;
    HWND handle = dialog.CreateModeless(nullptr);
    SetRightToLeftLayout(false);
    RECT frame, ok;
    ::GetWindowRect(handle, &frame);
    ::GetWindowRect(::GetDlgItem(handle, IDOK), &ok);
    EXPECT_EQ(DialogBase::FromHandle(handle), &dialog);
    ::SendMessageW(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindow(handle)) << "a modeless dialog ends by being destroyed";
    EXPECT_EQ(DialogBase::FromHandle(handle), nullptr);
    return {ok.left - frame.left, frame.right - ok.right};
}

TEST(UiFramework, AModelessDialogIsTranslatedAndMirroredOnceAndEndsDestroyed) {
    ResourceTexts texts;
    InstallBuiltInTexts(&texts);
    SetDialogTranslator(RecordTranslation);
    g_translated.clear();
    const auto leftToRight = OkButtonMargins(false);
    const auto rightToLeft = OkButtonMargins(true);
    SetDialogTranslator(nullptr);
    InstallBuiltInTexts(nullptr);
    EXPECT_EQ(g_translated, (std::vector<int>{IDD_PINGOPTIONS, IDD_PINGOPTIONS}));
    ASSERT_NE(leftToRight.first, leftToRight.second);
    EXPECT_EQ(rightToLeft.second, leftToRight.first) << "the button's left margin became its right margin";
    EXPECT_EQ(rightToLeft.first, leftToRight.second);
}

}  // namespace
}  // namespace es
