// The real executable starts, shows its window with the main menu, and ends cleanly.
#include <windows.h>

#include <gtest/gtest.h>

#include "e2e/E2eSupport.h"

namespace {

TEST(Startup, ShowsTheMainWindowWithMenu102AndExitsWithZero) {
    e2e::Sandbox sandbox;
    HANDLE process = sandbox.Start(L"");
    ASSERT_NE(process, nullptr);
    HWND window = e2e::WaitForMainWindow(process);
    ASSERT_NE(window, nullptr) << "no EchoSentinel window appeared";

    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"EchoSentinel");
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    // Menu handles belong to their process under Wine, so only the bar's presence is visible from here;
    // the items themselves are checked against the resource.
    EXPECT_NE(::GetMenu(window), nullptr);

    // The Exit command closes the window the way the menu does.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(40002, 0), 0);
    ASSERT_EQ(::WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
    DWORD code = 99;
    ::GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
    ::CloseHandle(process);
}

}  // namespace
