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

TEST(DpiE2e, ToolbarRowsAndColumnsAreScaledAndTheStoredWidthsKept) {
    const char* given = std::getenv("ES_DPI");
    const int dpi = given ? std::atoi(given) : 96;
    const int picture = dpi / 6;  // 16, 24 and 32 pixels at 96, 144 and 192 DPI
    // Widths at 96 DPI as stored (odd ones round at 144).
    const int stored[] = {151, 111, 0, 91, 89, 121, 101, 100, 99, 123};
    const std::string columns =
        "97 00 00 00 6F 00 01 00 00 00 02 00 5B 00 03 00 59 00 04 00 "
        "79 00 05 00 65 00 06 00 64 00 07 00 63 00 08 00 7B 00 09 00";
    Sandbox box;
    WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"), "[General]\r\nPingEverySeconds=30\r\nColumns=" + columns + "\r\n");
    const auto [process, window, list] = StartOnList(box, "127.0.0.1\r\n127.0.0.2\r\n", L"");
    ASSERT_NE(window, nullptr);
    Until([&] { return ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 2; });

    const auto buttons = static_cast<DWORD>(
        ::SendMessageW(::FindWindowExW(window, nullptr, TOOLBARCLASSNAMEW, nullptr), TB_GETBUTTONSIZE, 0, 0));
    SCOPED_TRACE(testing::Message() << dpi << " DPI, pictures of " << picture);
    // A button is its picture and a padding of a few pixels; a row its picture or its text, if taller.
    const RECT row = RemoteRect(process, list, LVM_GETITEMRECT, 0, {LVIR_BOUNDS});
    const struct {
        const char* name;
        int size, padding;
    } sizes[] = {{"button width", LOWORD(buttons), 12}, {"button height", HIWORD(buttons), 12}, {"row", row.bottom - row.top, 8}};
    for (const auto& [name, size, padding] : sizes) {
        EXPECT_GT(size, picture) << name;
        EXPECT_LE(size, picture + padding) << name;
    }
    for (int c = 0; c < 10; ++c) {
        const auto width = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
        EXPECT_EQ(width, ::MulDiv(stored[c], dpi, 96)) << "column " << c;
    }

    EXPECT_EQ(CloseAndWait(process, window), 0);
    const std::string cfg = ReadFileBytes(box.PathOf(L"EchoSentinel.cfg"));
    EXPECT_NE(cfg.find("\r\nColumns=" + columns + "\r\n"), std::string::npos) << cfg;
}

}  // namespace
}  // namespace e2e
