// The window framework's message shape (each message its own result, also one sent from inside
// a handler) and the exception report over real faults in this process: an access violation, a
// division by zero and a C++ exception, from a posted message, a sent message, WM_TIMER and a
// dialog procedure; faults inside a system function and calls through bad function pointers; each
// reach dialog 107 with its report; Continue gives back what the failed call held and keeps the
// window answering; a fault while the dialog is open opens no second one.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <stdexcept>
#include <tuple>

#include "app/MainWindow.h"
#include "crash/ExceptionReport.h"
#include "lang/ResourceTexts.h"
#include "ping/FakeEcho.h"
#include "resources/ResourceIds.h"
#include "support/DialogBase.h"
#include "support/Handles.h"
#include "support/UiFramework.h"
#include "support/WindowBase.h"
#include "win/UiDriver.h"

namespace es {
namespace {

constexpr UINT kAnswer = WM_APP + 1, kFault = WM_APP + 2, kOuter = WM_APP + 3;
enum FaultKind : WPARAM { kViolation, kDivision, kThrow, kBadPointerToSystem, kNullCall, kWildCall, kProbedPointer,
                          kChangingData, kSelectedFont };
volatile int g_zero = 0;
void* const g_unreadable = ::VirtualAlloc(nullptr, 4096, MEM_RESERVE, PAGE_NOACCESS);
HDC const g_dc = ::CreateCompatibleDC(nullptr);
std::mutex g_data;

LRESULT Fault(WPARAM kind) {
    void (*volatile function)() = kind == kWildCall ? reinterpret_cast<void (*)()>(g_unreadable) : nullptr;
    wchar_t units[4];
    if (kind == kViolation) *static_cast<volatile int*>(nullptr) = 1;
    if (kind == kDivision) return 10 / g_zero;
    if (kind == kBadPointerToSystem) return ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(8), 4, units, 4);
    if (kind == kNullCall || kind == kWildCall) function();
    if (kind == kProbedPointer) return 5 + ::lstrlenW(reinterpret_cast<const wchar_t*>(1));  // the system catches this one
    if (kind == kChangingData) {
        const HeldLock lock(g_data, L"the test data was being changed");
        return Fault(kViolation);
    }
    if (kind == kSelectedFont) {
        const SelectedObject font(g_dc, ::GetStockObject(ANSI_FIXED_FONT));
        return Fault(kViolation);
    }
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

// Runs trigger, expecting one exception dialog within waitMs: returns its report text after
// pressing Continue, or empty when none came. Where Continue is not offered, the test ends the
// dialog as Continue would, to go on.
std::wstring ReportOf(const std::function<void()>& trigger, HWND alsoFault = nullptr, DWORD waitMs = 10000,
                      bool* continueOffered = nullptr) {
    std::wstring report;
    testing_es::DialogAutomation look([&](HWND dialog) {
        if (::GetDlgItem(dialog, IDC_EXC_REPORT) == nullptr) return false;  // not the report yet
        report = testing_es::TextOf(dialog, IDC_EXC_REPORT);
        if (alsoFault) {
            EXPECT_EQ(::SendMessageW(alsoFault, kFault, 0, 0), 0) << "no second dialog, the message abandoned";
        }
        const bool offered = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK));
        if (continueOffered) *continueOffered = offered;
        if (offered) testing_es::ClickButton(dialog, IDOK);
        else ::EndDialog(dialog, IDOK);
        return true;
    });
    trigger();
    testing_es::PumpUntil([&] { return look.Done(); }, waitMs);
    EXPECT_FALSE(look.TimedOut());
    return report;
}

// Every test runs with the report's guard and the built-in texts, and leaves neither behind.
class ExceptionReportTest : public testing::Test {
protected:
    void SetUp() override {
        InstallBuiltInTexts(&texts);
        InstallExceptionReport();
    }
    void TearDown() override {
        testing_es::PumpFor(0);  // the quit message a closed main window posts
        SetExceptionGuard(nullptr);
        InstallBuiltInTexts(nullptr);
    }
    ResourceTexts texts;
};

TEST_F(ExceptionReportTest, FaultsInEveryKindOfHandlerReachTheReportAndTheProgramGoesOn) {
    FaultyWindow window;
    HWND w = window.Window();
    // Each message has its own result, also one sent from inside a handler.
    EXPECT_EQ(::SendMessageW(w, kOuter, 0, 0), 7);
    EXPECT_EQ(window.inner, 42);
    const std::wstring violation = ReportOf([&] { EXPECT_EQ(::SendMessageW(w, kFault, 0, 0), 0); });
    EXPECT_NE(violation.find(L"in module es_win_tests.exe\r\nRegisters: \r\nRAX="), std::wstring::npos);
    EXPECT_NE(violation.find(L"\r\nStack Data:   "), std::wstring::npos);
    EXPECT_EQ(::SendMessageW(w, kAnswer, 0, 0), 42) << "the window goes on";

    const std::wstring division = ReportOf([&] { ::PostMessageW(w, kFault, kDivision, 0); }, w);
    EXPECT_EQ(division.rfind(L"Exception C0000094", 0), 0u);
    window.timerKind = kThrow;
    const std::wstring thrown = ReportOf([&] { ::SetTimer(w, 1, 10, nullptr); });
    EXPECT_EQ(thrown.rfind(L"C++ exception: handler failed\r\n", 0), 0u);

    FaultyDialog dialog;
    HWND d = dialog.CreateModeless(nullptr);
    const std::wstring inDialog = ReportOf([&] { ::SendMessageW(d, kFault, kViolation, 0); });
    EXPECT_EQ(inDialog.rfind(L"Exception C0000005", 0), 0u);
    EXPECT_TRUE(::IsWindow(d));
    ::DestroyWindow(d);

    // Outside the program's code: in a system function given a bad pointer it does not check, and
    // at a null or an unreadable instruction pointer, with no code bytes to show.
    wchar_t wild[20];
    swprintf(wild, 20, L"%016llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(g_unreadable)));
    for (const auto& [kind, firstLineStart, firstLineEnd] : {
             std::tuple(kBadPointerToSystem, std::wstring(L"Exception C0000005 at address "), L".dll\r\n"),
             std::tuple(kNullCall, std::wstring(L"Exception C0000005 at address 0000000000000000 in module "), L"{Unknown}\r\n"),
             std::tuple(kWildCall, L"Exception C0000005 at address " + std::wstring(wild) + L" in module ", L"{Unknown}\r\n")}) {
        SCOPED_TRACE(kind);
        const std::wstring report = ReportOf([&] { EXPECT_EQ(::SendMessageW(w, kFault, kind, 0), 0); });
        const std::wstring firstLine = report.substr(0, report.find(L'\n') + 1);
        EXPECT_EQ(firstLine.rfind(firstLineStart, 0), 0u) << std::string(firstLine.begin(), firstLine.end());
        EXPECT_TRUE(firstLine.ends_with(firstLineEnd));
        EXPECT_EQ(report.ends_with(L"\r\nCode Data: \r\n"), kind != kBadPointerToSystem);
    }
    EXPECT_EQ(ReportOf([&] { EXPECT_EQ(::SendMessageW(w, kFault, kProbedPointer, 0), 5); }, nullptr, 0), L"");

    // What the failed call held is given back before the report shows; a lock taken to change data
    // too, but then only Terminate is offered, and the report says why.
    HGDIOBJ font = ::GetCurrentObject(g_dc, OBJ_FONT);
    ReportOf([&] { ::SendMessageW(w, kFault, kSelectedFont, 0); });
    EXPECT_EQ(::GetCurrentObject(g_dc, OBJ_FONT), font);
    bool continueOffered = true;
    const std::wstring unsafe = ReportOf([&] { ::SendMessageW(w, kFault, kChangingData, 0); }, nullptr, 10000, &continueOffered);
    EXPECT_FALSE(continueOffered);
    EXPECT_TRUE(unsafe.ends_with(L"\r\nContinue is not offered: the test data was being changed.\r\n"));
}

// The list view answers the refresh's first question with a fault while the rows are locked, as
// a reader of the rows would: after Continue the workers' results land again and the next rounds
// show.
WNDPROC g_listProc = nullptr;
const PingItemList* g_rowsToLock = nullptr;
LRESULT CALLBACK FaultWithRowsLocked(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LVM_GETTOPINDEX && g_rowsToLock) {
        const auto rows = std::exchange(g_rowsToLock, nullptr)->LockRows();
        return Fault(kViolation);
    }
    return ::CallWindowProcW(g_listProc, list, message, wParam, lParam);
}

TEST_F(ExceptionReportTest, AFaultInTheRefreshWithTheRowsLockedLeavesPingingGoingOn) {
    CommandLine commandLine;
    commandLine.Parse(L"/nosaveload /PingEverySeconds 0");
    MainWindow main(commandLine);
    ASSERT_TRUE(main.Create(::GetModuleHandleW(nullptr)));
    auto echo = std::make_shared<testing_es::FakeEcho::Shared>();
    main.Items().Engine().SetPlatformFactory([echo] { return testing_es::MakeFakePlatform(echo); });
    ::ShowWindow(main.Window(), SW_SHOW);
    main.Settings().addressList = L"127.0.6.1";
    main.RestartPinging();
    const auto rounds = [&] { return main.Items().Row(0).SucceedCount.load(); };
    ASSERT_TRUE(testing_es::PumpUntil([&] { return rounds() >= 1; }, 5000));
    g_listProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(main.ListView(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FaultWithRowsLocked)));
    g_rowsToLock = &main.Items();
    // A lock left held deadlocks this thread at its next tick, and the test's time limit fails it.
    EXPECT_EQ(ReportOf([] {}).rfind(L"Exception C0000005", 0), 0u);
    const auto arrived = rounds();
    const std::size_t repainted = main.View().RepaintedRows();
    EXPECT_TRUE(testing_es::PumpUntil([&] { return rounds() >= arrived + 2 && main.View().RepaintedRows() > repainted; }, 5000));
}

}  // namespace
}  // namespace es
