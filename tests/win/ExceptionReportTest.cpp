// The window framework's message shape (each message its own result, also one sent from inside
// a handler) and the exception report over real faults in this process: an access violation, a
// division by zero and a C++ exception, from a posted message, a sent message, WM_TIMER and a
// dialog procedure, each reach dialog 107 with its report; Continue keeps the window answering;
// a fault while the dialog is open opens no second one.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "crash/ExceptionReport.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "support/DialogBase.h"
#include "support/UiFramework.h"
#include "support/WindowBase.h"
#include "win/UiDriver.h"

namespace es {
namespace {

constexpr UINT kAnswer = WM_APP + 1, kFault = WM_APP + 2, kOuter = WM_APP + 3;  // wParam: 0 access violation, 1 division, 2 C++
volatile int g_zero = 0;

LRESULT Fault(WPARAM kind) {
    if (kind == 0) *static_cast<volatile int*>(nullptr) = 1;
    if (kind == 1) return 10 / g_zero;
    throw std::runtime_error("handler failed");
}

class FaultyWindow : public WindowBase {
public:
    FaultyWindow() { testing_es::CreateTestWindow(L"EsFaultTest", this); }
    ~FaultyWindow() override { ::DestroyWindow(window_); }
    UINT_PTR timerKind = 0;
    LRESULT inner = 0;

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kAnswer) return 42;
        if (message == kOuter) {
            inner = ::SendMessageW(window_, kAnswer, 0, 0);
            return 7;
        }
        if (message == kFault) return Fault(wParam);
        if (message == WM_TIMER) {
            ::KillTimer(window_, 1);
            return Fault(timerKind);
        }
        return WindowBase::OnMessage(message, wParam, lParam);
    }
};

class FaultyDialog : public DialogBase {
public:
    FaultyDialog() : DialogBase(IDD_PROPERTIES) {}

protected:
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFault) return Fault(wParam);
        return DialogBase::OnMessage(message, wParam, lParam);
    }
};

// Runs trigger, expecting one exception dialog: returns its report text after pressing Continue.
std::wstring ReportOf(const std::function<void()>& trigger, HWND alsoFault = nullptr) {
    std::wstring report;
    testing_es::DialogAutomation look([&](HWND dialog) {
        if (::GetDlgItem(dialog, IDC_EXC_REPORT) == nullptr) return false;  // not the report yet
        wchar_t text[2048] = L"";
        ::GetDlgItemTextW(dialog, IDC_EXC_REPORT, text, 2048);
        report = text;
        if (alsoFault) {
            EXPECT_EQ(::SendMessageW(alsoFault, kFault, 0, 0), 0) << "no second dialog, the message abandoned";
        }
        testing_es::ClickButton(dialog, IDOK);
        return true;
    });
    trigger();
    testing_es::PumpUntil([&] { return look.Done(); }, 10000);
    EXPECT_FALSE(look.TimedOut());
    return report;
}

TEST(ExceptionReportTest, FaultsInEveryKindOfHandlerReachTheReportAndTheProgramGoesOn) {
    ResourceTexts texts;
    InstallBuiltInTexts(&texts);
    InstallExceptionReport();
    FaultyWindow window;
    HWND w = window.Window();
    ASSERT_EQ(WindowBase::FromHandle(w), &window);
    // Each message has its own result, also one sent from inside a handler.
    EXPECT_EQ(::SendMessageW(w, kOuter, 0, 0), 7);
    EXPECT_EQ(window.inner, 42);
    const std::wstring violation = ReportOf([&] { EXPECT_EQ(::SendMessageW(w, kFault, 0, 0), 0); });
    EXPECT_EQ(violation.rfind(L"Exception C0000005 at address ", 0), 0u) << std::string(violation.begin(), violation.end());
    EXPECT_NE(violation.find(L"in module es_win_tests.exe\r\nRegisters: \r\nRAX="), std::wstring::npos);
    EXPECT_NE(violation.find(L"\r\nStack Data:   "), std::wstring::npos);
    EXPECT_EQ(::SendMessageW(w, kAnswer, 0, 0), 42) << "the window goes on";

    const std::wstring division = ReportOf([&] { ::PostMessageW(w, kFault, 1, 0); }, w);
    EXPECT_EQ(division.rfind(L"Exception C0000094", 0), 0u);
    window.timerKind = 2;
    const std::wstring thrown = ReportOf([&] { ::SetTimer(w, 1, 10, nullptr); });
    EXPECT_EQ(thrown.rfind(L"C++ exception: handler failed\r\n", 0), 0u);

    FaultyDialog dialog;
    HWND d = dialog.CreateModeless(nullptr);
    const std::wstring inDialog = ReportOf([&] { ::SendMessageW(d, kFault, 0, 0); });
    EXPECT_EQ(inDialog.rfind(L"Exception C0000005", 0), 0u);
    EXPECT_TRUE(::IsWindow(d));
    ::DestroyWindow(d);
    EXPECT_EQ(::SendMessageW(w, kAnswer, 0, 0), 42);
    SetExceptionGuard(nullptr);
    InstallBuiltInTexts(nullptr);
}

}  // namespace
}  // namespace es
