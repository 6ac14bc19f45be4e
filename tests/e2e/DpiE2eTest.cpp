// The program at the screen's DPI: run by itself at 96 DPI, and by tests/e2e/at_dpi.sh at 144 and
// 192 DPI in a prefix of their own (ES_DPI names the DPI the prefix was given). The toolbar's
// buttons and the rows hold the pictures of the nearest size, the stored column widths are shown
// scaled, and the Columns value saved is the one read, byte for byte.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/E2eSupport.h"

namespace e2e {
namespace {

// The height of a row of the list view of another process.
int RowHeight(HANDLE process, HWND listView) {
    RECT rect = {LVIR_BOUNDS};
    auto* remote = static_cast<RECT*>(::VirtualAllocEx(process, nullptr, sizeof(rect), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ::WriteProcessMemory(process, remote, &rect, sizeof(rect), nullptr);
    const bool got = ::SendMessageW(listView, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(remote)) != 0;
    ::ReadProcessMemory(process, remote, &rect, sizeof(rect), nullptr);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return got ? rect.bottom - rect.top : -1;
}

TEST(DpiE2e, ToolbarRowsAndColumnsAreScaledAndTheStoredWidthsKept) {
    const char* given = std::getenv("ES_DPI");
    const int dpi = given ? std::atoi(given) : 96;
    // The picture size for the DPI, and widths at 96 DPI as stored (odd ones round at 144).
    const std::pair<int, int> pictures[] = {{96, 16}, {144, 24}, {192, 32}};
    int picture = 0;
    for (auto [at, size] : pictures) picture = at == dpi ? size : picture;
    ASSERT_NE(picture, 0) << "no expectation for " << dpi << " DPI";
    const int stored[] = {151, 111, 0, 91, 89, 121, 101, 100, 99, 123};
    const std::string columns =
        "97 00 00 00 6F 00 01 00 00 00 02 00 5B 00 03 00 59 00 04 00 "
        "79 00 05 00 65 00 06 00 64 00 07 00 63 00 08 00 7B 00 09 00";
    Sandbox box;
    WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"), "[General]\r\nPingEverySeconds=30\r\nColumns=" + columns + "\r\n");
    const auto [process, window, list] = StartOnList(box, "127.0.0.1\r\n127.0.0.2\r\n", L"");
    ASSERT_NE(window, nullptr);
    for (int i = 0; i < 500 && ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) < 2; ++i) ::Sleep(20);

    const auto buttons = static_cast<DWORD>(
        ::SendMessageW(::FindWindowExW(window, nullptr, TOOLBARCLASSNAMEW, nullptr), TB_GETBUTTONSIZE, 0, 0));
    SCOPED_TRACE(testing::Message() << dpi << " DPI, pictures of " << picture);
    // A button is its picture and a padding of a few pixels; a row its picture or its text, if taller.
    EXPECT_GT(LOWORD(buttons), picture);
    EXPECT_LE(LOWORD(buttons), picture + 12);
    EXPECT_GT(HIWORD(buttons), picture);
    EXPECT_LE(HIWORD(buttons), picture + 12);
    const int rowHeight = RowHeight(process, list);
    EXPECT_GT(rowHeight, picture);
    EXPECT_LE(rowHeight, picture + 8);
    for (int c = 0; c < 10; ++c) {
        const auto width = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
        EXPECT_EQ(width, ::MulDiv(stored[c], dpi, 96)) << "column " << c;
    }

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(process), 0);
    const std::string cfg = ReadFileBytes(box.PathOf(L"EchoSentinel.cfg"));
    EXPECT_NE(cfg.find("\r\nColumns=" + columns + "\r\n"), std::string::npos) << cfg;
}

}  // namespace
}  // namespace e2e
