// The windowed program from outside: it loads the /loadfile list and pings the loopback rows; at
// exit it writes the configuration and hosts files (under /nosaveload nothing), which the next
// start restores; a session end is answered at once; closing never waits for an echo.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/E2eSupport.h"
#include "resources/ResourceIds.h"
#include "support/ExePaths.h"
#include "support/Palette.h"

namespace e2e {
namespace {

int RowCount(HWND listView) { return static_cast<int>(::SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0)); }

// Waits until every row shows at least `rounds` successful pings.
bool WaitForPingedRows(HANDLE process, HWND listView, int rows, int rounds, DWORD timeoutMs = 30000) {
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs;) {
        bool all = RowCount(listView) == rows;
        for (int row = 0; all && row < rows; ++row) all = _wtoi(ListViewCell(process, listView, row, 3).c_str()) >= rounds;
        if (all) return true;
        if (::WaitForSingleObject(process, 100) == WAIT_OBJECT_0) return false;
    }
    return false;
}

std::vector<long> WindowRect(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(MainWindowE2e, UnderNoSaveLoadItPingsTheLoadedRowsAndLeavesNothingBehind) {
    Sandbox box;
    const auto [process, window, list] = StartOnList(box, "127.0.0.1-127.0.0.6\r\n", L"/nosaveload /PingEverySeconds 0");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForPingedRows(process, list, 6, 2)) << "two rounds of six loopback rows";
    // The HTML report command writes report.html beside the program; the exit removes it.
    ::SendMessageW(window, WM_COMMAND, 40006, 0);
    const std::string report = ReadFileBytes(box.PathOf(L"report.html"));
    EXPECT_NE(report.find(Utf16Bytes(L"127.0.0.6")), std::string::npos);

    // F8 goes through the accelerator table of the message loop: Stop Ping enables Start Ping.
    HWND toolbar = ::FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
    const auto startEnabled = [&] { return (::SendMessageW(toolbar, TB_GETSTATE, 40027, 0) & TBSTATE_ENABLED) != 0; };
    EXPECT_FALSE(startEnabled());
    ::PostMessageW(list, WM_KEYDOWN, VK_F8, 0);
    for (int i = 0; i < 100 && !startEnabled(); ++i) ::Sleep(20);
    EXPECT_TRUE(startEnabled());
    EXPECT_EQ(CloseAndWait(process, window), 0);
    EXPECT_EQ(FolderEntries(box.Folder()), (std::vector<std::wstring>{L"EchoSentinel.exe", L"list.txt"}));
}

TEST(MainWindowE2e, ItSavesTheConfigurationAndHostsFileThatTheNextStartRestores) {
    Sandbox box;
    // Column 1 first, column 4 hidden, sorted by column 2 descending, the window at 40,30-740,530.
    const std::string columns =
        "A0 00 01 00 78 00 00 00 6E 00 02 00 5A 00 03 00 00 00 04 00 "
        "78 00 05 00 64 00 06 00 64 00 07 00 64 00 08 00 78 00 09 00";
    const std::string options =
        "[General]\r\nShowGridLines=1\r\nSaveFilterIndex=3\r\nShowInfoTip=0\r\nMarkFailedPings=1\r\nAlwaysOnTop=0\r\n"
        "PingEvery=1\r\nPingEverySeconds=0\r\nPingTimeout=700\r\nRememberHosts=1\r\nIPHostDescFormat=0\r\n";
    WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"),
                   "[General]\r\nObsolete=1\r\n" + options.substr(11) + "WinPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                             "FF 28 00 00 00 1E 00 00 00 E4 02 00 00 12 02 00 00\r\nColumns=" + columns + "\r\nSort=4098\r\n");
    auto [process, window, list] = StartOnList(box, "127.0.0.1-127.0.0.4\r\n", L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForPingedRows(process, list, 4, 1));
    EXPECT_EQ(WindowRect(window), (std::vector<long>{40, 30, 740, 530}));
    ::SetWindowPos(window, nullptr, 60, 70, 620, 440, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CloseAndWait(process, window), 0);

    // Only the keys of this save, in their order; the placement as the window reports it, length 44
    // first, the normal rectangle last.
    const std::string cfg = ReadFileBytes(box.PathOf(L"EchoSentinel.cfg"));
    const std::size_t winPos = cfg.find("WinPos=2C 00 00 00 ");
    ASSERT_EQ(winPos, options.size()) << cfg;
    EXPECT_EQ(cfg.substr(winPos + 7 + 28 * 3, 47), "3C 00 00 00 46 00 00 00 A8 02 00 00 FE 01 00 00");
    EXPECT_EQ(cfg.substr(winPos + 7 + 44 * 3 - 1), "\r\nColumns=" + columns + "\r\nSort=4098\r\n");
    EXPECT_EQ(ReadFileBytes(box.PathOf(L"EchoSentinel_hosts.txt")), Utf16Bytes(L"127.0.0.1-127.0.0.4\r\n"));

    // The next start, without a file to load: Ping Options opens with the remembered list and the
    // saved options; its seconds follow their check box, and it keeps its minimum size.
    process = box.Start(L"");
    window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    HWND options109 = WaitForWindow(process, L"#32770");
    ASSERT_NE(options109, nullptr);
    const auto text = [&](int id) { return WindowText(::GetDlgItem(options109, id)); };
    const auto checked = [&](int id) { return ::SendDlgItemMessageW(options109, id, BM_GETCHECK, 0, 0); };
    const auto secondsEnabled = [&] { return ::IsWindowEnabled(::GetDlgItem(options109, IDC_OPT_SECONDS)) != FALSE; };
    EXPECT_EQ(text(IDC_OPT_ADDRESSES), L"127.0.0.1-127.0.0.4\r\n");
    EXPECT_EQ(text(IDC_OPT_TIMEOUT), L"700");
    EXPECT_EQ(text(IDC_OPT_SECONDS), L"0");
    EXPECT_EQ(checked(IDC_OPT_PINGEVERY), BST_CHECKED);
    EXPECT_EQ(checked(IDC_OPT_REMEMBER), BST_CHECKED);
    EXPECT_EQ(checked(IDC_OPT_IPHOSTDESC), BST_UNCHECKED);
    EXPECT_TRUE(secondsEnabled());
    ::SendDlgItemMessageW(options109, IDC_OPT_PINGEVERY, BM_CLICK, 0, 0);
    EXPECT_FALSE(secondsEnabled());
    ::SendDlgItemMessageW(options109, IDC_OPT_PINGEVERY, BM_CLICK, 0, 0);
    EXPECT_TRUE(secondsEnabled());
    ::SetWindowPos(options109, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WindowRect(options109)[2] - WindowRect(options109)[0], 300) << "the minimum width";
    EXPECT_EQ(WindowRect(options109)[3] - WindowRect(options109)[1], 250) << "the minimum height";
    ::SetWindowTextW(::GetDlgItem(options109, IDC_OPT_TIMEOUT), L"750");
    ::SetWindowTextW(::GetDlgItem(options109, IDC_OPT_SECONDS), L"5");
    EXPECT_EQ(text(IDC_OPT_DOWNAFTER), L"3");
    EXPECT_EQ(text(IDC_OPT_UPAFTER), L"1");
    ::SetWindowTextW(::GetDlgItem(options109, IDC_OPT_UPAFTER), L"2");
    EXPECT_EQ(WindowRect(window), (std::vector<long>{60, 70, 680, 510}));
    ::PostMessageW(options109, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForPingedRows(process, ListViewOf(window), 4, 1));

    // Choose Columns, Default, OK: the next save holds every column at its default.
    ::PostMessageW(window, WM_COMMAND, 40011, 0);
    HWND choose = WaitForWindow(process, L"#32770");
    ASSERT_NE(choose, nullptr);
    ::SendMessageW(choose, WM_COMMAND, MAKEWPARAM(1008, BN_CLICKED), 0);
    ::SendMessageW(choose, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(CloseAndWait(process, window), 0);
    EXPECT_NE(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg")).find("\r\nPingEverySeconds=5\r\nPingTimeout=750\r\n"), std::string::npos);
    EXPECT_NE(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg"))
                  .find("\r\nColumns=96 00 00 00 6E 00 01 00 6E 00 02 00 5A 00 03 00 5A 00 04 00 78 00 05 00 64 00 06 00 "
                        "64 00 07 00 64 00 08 00 78 00 09 00\r\nSort=4098\r\nUpAfterSuccesses=2\r\n"),
              std::string::npos);
}

COLORREF ScreenPixel(HWND window, int x, int y) {
    POINT point = {x, y};
    ::ClientToScreen(window, &point);
    HDC screen = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return color;
}

// The theme of the configuration file, read back from the screen: a row, its text, a header item
// and the status bar in the system's colours without the key, in the dark palette's with Theme=2;
// the menu's commands switch a running window, and the save writes the choice back last. The window stays on top, clear of other tests' windows.
TEST(MainWindowE2e, TheConfiguredThemePaintsRowsHeaderAndStatusBarAndIsSavedLast) {
    const es::Palette& dark = es::DarkPalette();
    const struct {
        const char* name;
        std::string key, saved;
        COLORREF row, text, header, status;
    } themes[] = {
        // The light header is the visual style's (white in Wine's Light style): anything but ours.
        {"light", "", "Theme=1\r\n", ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT), CLR_INVALID, ::GetSysColor(COLOR_BTNFACE)},
        {"dark", "Theme=2\r\n", "Theme=2\r\n", dark.list.background, dark.list.text, dark.header.background, dark.status.background},
    };
    for (const auto& theme : themes) {
        SCOPED_TRACE(theme.name);
        Sandbox box;
        WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"),
                       "[General]\r\nAlwaysOnTop=1\r\nPingEvery=0\r\nWinPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF "
                       "FF FF FF FF FF FF FF FF FF BC 02 00 00 30 02 00 00 EC 04 00 00 E8 03 00 00\r\n" + theme.key);
        const auto [process, window, list] = StartOnList(box, "127.0.0.1-127.0.0.3\r\n", L"");
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitForPingedRows(process, list, 3, 1));
        ::Sleep(300);  // the last repaint of the round
        const RECT host = RemoteRect(process, list, LVM_GETSUBITEMRECT, 1, {LVIR_LABEL, 0, 0, 0});
        const int middle = (host.top + host.bottom) / 2;
        EXPECT_EQ(ScreenPixel(list, host.right - 4, middle), theme.row) << "row 1 right of its host";
        bool textSeen = false;
        for (int x = host.left; x < host.left + 80 && !textSeen; ++x)
            for (int y = host.top; y < host.bottom && !textSeen; ++y) textSeen = ScreenPixel(list, x, y) == theme.text;
        EXPECT_TRUE(textSeen) << "the host's text in its colour";
        HWND header = ::FindWindowExW(list, nullptr, L"SysHeader32", nullptr);
        const RECT item = RemoteRect(process, header, HDM_GETITEMRECT, 1, {});
        const COLORREF headerPixel = ScreenPixel(header, item.right - 6, (item.top + item.bottom) / 2);
        if (theme.header == CLR_INVALID) EXPECT_NE(headerPixel, dark.header.background) << "header item 1";
        else EXPECT_EQ(headerPixel, theme.header) << "header item 1";
        HWND status = ::FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
        EXPECT_EQ(ScreenPixel(status, 280, 10), theme.status) << "status part 0 after its text";
        if (theme.key.empty()) {  // Dark and Light from the menu while it runs: Light paints as it began
            for (const auto& [command, row] : {std::pair<UINT, COLORREF>(IDM_THEMEDARK, dark.list.background), std::pair<UINT, COLORREF>(IDM_THEMELIGHT, theme.row)}) {
                ::SendMessageW(window, WM_COMMAND, command, 0);
                ::Sleep(300);
                EXPECT_EQ(ScreenPixel(list, host.right - 4, middle), row) << command;
            }
        }
        EXPECT_EQ(CloseAndWait(process, window), 0);
        const std::string cfg = ReadFileBytes(box.PathOf(L"EchoSentinel.cfg"));
        EXPECT_EQ(cfg.substr(cfg.rfind("\r\nSort=")), "\r\nSort=0\r\n" + theme.saved);
    }
}

// Loss shown third and Reply IP Address hidden last: each cell is painted under its own header
// (Wine's list view painted cells where their indexes would put them until given the whole order).
TEST(MainWindowE2e, MovedColumnsArePaintedUnderTheirHeaders) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"),
                   "[General]\r\nAlwaysOnTop=1\r\nPingEvery=0\r\nWinPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF "
                   "FF FF FF FF FF FF FF FF FF BC 02 00 00 30 02 00 00 EC 04 00 00 E8 03 00 00\r\nColumns=96 00 00 00 6E 00 01 00 "
                   "00 00 0A 00 46 00 03 00 46 00 04 00 78 00 05 00 00 00 06 00 00 00 07 00 00 00 08 00 00 00 09 00 50 00 02 00\r\n");
    const auto [process, window, list] = StartOnList(box, "127.0.0.1-127.0.0.3\r\n", L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForPingedRows(process, list, 3, 1));
    ::Sleep(300);  // the last repaint of the round
    const RECT loss = RemoteRect(process, list, LVM_GETSUBITEMRECT, 1, {LVIR_BOUNDS, 10, 0, 0});  // column 10, Loss
    bool textSeen = false;
    for (int x = loss.left; x < loss.right && !textSeen; ++x)
        for (int y = loss.top; y < loss.bottom && !textSeen; ++y) textSeen = ScreenPixel(list, x, y) != ::GetSysColor(COLOR_WINDOW);
    EXPECT_TRUE(textSeen) << "row 1's loss under its header";
    EXPECT_EQ(CloseAndWait(process, window), 0);
}

// Windows asks first and may then go on: the settings are saved at the question, pinging goes on
// when the session does, and a later close saves again.
TEST(MainWindowE2e, AnEndOfSessionThatIsCancelledLeavesTheProgramPinging) {
    Sandbox box;
    const auto [process, window, list] = StartOnList(box, "127.0.0.1-127.0.0.3\r\n", L"/PingEverySeconds 0");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForPingedRows(process, list, 3, 1));
    // How fast and what it answers is checked with the read-only configuration below.
    DWORD_PTR answer = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer));
    EXPECT_NE(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg")).find("PingEverySeconds=0\r\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(box.PathOf(L"EchoSentinel_hosts.txt")), Utf16Bytes(L"127.0.0.1-127.0.0.3\r\n"));

    ::DeleteFileW(box.PathOf(L"EchoSentinel.cfg").c_str());
    ::SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    const int rounds = _wtoi(ListViewCell(process, list, 0, 3).c_str());
    EXPECT_TRUE(WaitForPingedRows(process, list, 3, rounds + 2)) << "pinging goes on";
    EXPECT_EQ(CloseAndWait(process, window), 0);
    EXPECT_NE(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg")).find("PingEverySeconds=0\r\n"), std::string::npos);
}

// A configuration that cannot be replaced stays byte for byte. At a session end nobody can answer
// a box: Windows gets its answer at once, no box is shown and the process ends. Its placement,
// saved maximised, starts the window maximised.
TEST(MainWindowE2e, AtASessionEndAReadOnlyConfigurationIsKeptWithoutABox) {
    Sandbox box;
    const std::string old = "[General]\r\nPingTimeout=700\r\nWinPos=2C 00 00 00 00 00 00 00 03 00 00 00 FF FF FF FF FF FF "
                            "FF FF FF FF FF FF FF FF FF FF 28 00 00 00 1E 00 00 00 E4 02 00 00 12 02 00 00\r\n";
    WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"), old);
    ::SetFileAttributesW(box.PathOf(L"EchoSentinel.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
    const auto [process, window, list] = StartOnList(box, "127.0.0.1\r\n", L"/PingTimeout 900");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsZoomed(window));
    DWORD_PTR answer = 0;
    const DWORD asked = ::GetTickCount();
    ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer));
    EXPECT_LT(::GetTickCount() - asked, 2000u) << "answered at once";
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    EXPECT_EQ(WaitForWindow(process, L"#32770", 500), nullptr) << "a box while Windows asks";
    ::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &answer);
    EXPECT_EQ(ExitCode(process, 5000), 0) << "still running: a box holds it";
    EXPECT_EQ(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg")), old);
    EXPECT_EQ(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg.new")), "<missing>");
}

// A fault in a handler of the real program (a test build with a message that faults) shows the
// report; Terminate, and Esc, end the process with exit code 1.
TEST(MainWindowE2e, TheExceptionReportTerminatesWithExitCode1) {
    for (const int button : {IDCANCEL, IDCANCEL + 0x100}) {  // the Terminate button, then Esc
        Sandbox box;
        ::CopyFileW((es::GetExeDirectory() + L"\\EchoSentinelFaultHook.exe").c_str(), box.PathOf(L"EchoSentinel.exe").c_str(), FALSE);
        const auto [process, window, list] = StartOnList(box, "", L"/nosaveload");
        ASSERT_NE(window, nullptr);
        ::PostMessageW(window, WM_APP + 0x3F0, 0, 0);
        HWND report = WaitForWindow(process, L"#32770");
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(WindowText(report), L"異常 !");
        if (button == IDCANCEL) ::PostMessageW(report, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        else ::PostMessageW(::GetDlgItem(report, IDC_EXC_REPORT), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(ExitCode(process), 1);
    }
}

// Closing never waits for echoes in flight: a silent host with a 20 s timeout does not hold the
// process (bench/exit-bench.sh measures how long it takes).
TEST(MainWindowE2e, TheProcessEndsPromptlyWhileAnEchoWaitsForItsTimeout) {
    const char* silent = std::getenv("ES_SILENT_HOST");
    if (!silent || !*silent) GTEST_SKIP() << "no silent host in this run (scripts/silent-host.sh)";
    Sandbox box;
    const auto [process, window, list] = StartOnList(box, "127.0.0.1\r\n" + std::string(silent) + "\r\n", L"/PingTimeout 20000");
    ASSERT_NE(window, nullptr);
    bool answered = false;  // the loopback row has its reply: the round is under way
    for (int i = 0; i < 200 && !answered; ++i, ::Sleep(50))
        for (int row = 0; row < RowCount(list); ++row)
            answered |= ListViewCell(process, list, row, 0) == L"127.0.0.1" && ListViewCell(process, list, row, 3) == L"1";
    ASSERT_TRUE(answered);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(process, 8000), WAIT_OBJECT_0) << "still running 8 s after the close";
    EXPECT_NE(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg")).find("PingTimeout=20000\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
