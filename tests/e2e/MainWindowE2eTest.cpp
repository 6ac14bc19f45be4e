// The windowed program from outside: it loads the /loadfile list, pings the loopback rows,
// and at exit writes the configuration and hosts files (or, under /nosaveload, nothing), which
// the next start restores.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "e2e/E2eSupport.h"

namespace e2e {
namespace {

HWND ListViewOf(HWND mainWindow) { return ::FindWindowExW(mainWindow, nullptr, L"SysListView32", nullptr); }

int RowCount(HWND listView) { return static_cast<int>(::SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0)); }

// Waits until every row shows at least `rounds` successful pings.
bool WaitForPingedRows(HANDLE process, HWND listView, int rows, int rounds, DWORD timeoutMs = 30000) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        bool all = RowCount(listView) == rows;
        for (int row = 0; all && row < rows; ++row) all = _wtoi(ListViewCell(process, listView, row, 3).c_str()) >= rounds;
        if (all) return true;
        if (::WaitForSingleObject(process, 100) == WAIT_OBJECT_0) return false;
    }
    return false;
}

int CloseAndWait(HANDLE process, HWND mainWindow) {
    ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process, 20000) == WAIT_OBJECT_0) ::GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Utf16(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

TEST(MainWindowE2e, UnderNoSaveLoadItPingsTheLoadedRowsAndWritesNothing) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1-127.0.0.6\r\n");
    WriteFileBytes(box.PathOf(L"report.html"), "from an earlier run");
    HANDLE process = box.Start(L"/nosaveload /PingEverySeconds 0 /loadfile \"" + box.PathOf(L"list.txt") + L"\"");
    HWND window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    HWND list = ListViewOf(window);
    ASSERT_TRUE(WaitForPingedRows(process, list, 6, 2)) << "two rounds of six loopback rows";
    EXPECT_EQ(ListViewCell(process, list, 0, 5), L"成功");

    // F8 goes through the accelerator table of the message loop: Stop Ping enables Start Ping.
    HWND toolbar = ::FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
    const auto startEnabled = [&] { return (::SendMessageW(toolbar, TB_GETSTATE, 40027, 0) & TBSTATE_ENABLED) != 0; };
    EXPECT_FALSE(startEnabled());
    ::PostMessageW(list, WM_KEYDOWN, VK_F8, 0);
    for (int i = 0; i < 100 && !startEnabled(); ++i) ::Sleep(20);
    EXPECT_TRUE(startEnabled());
    EXPECT_EQ(CloseAndWait(process, window), 0);
    EXPECT_EQ(FolderEntries(box.Folder()), (std::vector<std::wstring>{L"EchoSentinel.exe", L"list.txt"}))
        << "no configuration, no hosts file, and the report file of the HTML commands is gone";
}

TEST(MainWindowE2e, ItSavesTheConfigurationAndHostsFileThatTheNextStartRestores) {
    Sandbox box;
    // Column 1 first, column 4 hidden, sorted by column 2 descending, the window at 40,30-740,530.
    const std::string columns =
        "A0 00 01 00 78 00 00 00 6E 00 02 00 5A 00 03 00 00 00 04 00 "
        "78 00 05 00 64 00 06 00 64 00 07 00 64 00 08 00 78 00 09 00";
    const std::string winPos =
        "2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
        "28 00 00 00 1E 00 00 00 E4 02 00 00 12 02 00 00";
    WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"),
                   "[General]\r\nShowGridLines=1\r\nSaveFilterIndex=3\r\nShowInfoTip=0\r\nMarkFailedPings=1\r\n"
                   "AlwaysOnTop=0\r\nPingEvery=1\r\nPingEverySeconds=0\r\nPingTimeout=700\r\nRememberHosts=1\r\n"
                   "IPHostDescFormat=0\r\nWinPos=" + winPos + "\r\nColumns=" + columns + "\r\nSort=4098\r\n");
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1-127.0.0.4\r\n");

    HANDLE process = box.Start(L"/loadfile \"" + box.PathOf(L"list.txt") + L"\"");
    HWND window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    HWND list = ListViewOf(window);
    ASSERT_TRUE(WaitForPingedRows(process, list, 4, 1));
    RECT rect;
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 30);
    EXPECT_EQ(rect.right, 740);
    EXPECT_EQ(rect.bottom, 530);
    EXPECT_EQ(ListViewColumnOrder(process, list, 10), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(ListViewColumnWidth(list, 0), 160);
    EXPECT_EQ(ListViewColumnWidth(list, 4), 0);
    EXPECT_EQ(HeaderImage(process, list, 2), 1) << "descending arrow";
    EXPECT_EQ(HeaderImage(process, list, 0), -1);
    ::SetWindowPos(window, nullptr, 60, 70, 620, 440, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CloseAndWait(process, window), 0);

    const std::string cfg = ReadFileBytes(box.PathOf(L"EchoSentinel.cfg"));
    EXPECT_EQ(cfg.substr(cfg.size() - 2), "\r\n");
    const std::vector<std::string> saved = Lines(cfg);
    ASSERT_EQ(saved.size(), 14u);
    const std::vector<std::string> expected = {
        "[General]", "ShowGridLines=1", "SaveFilterIndex=3", "ShowInfoTip=0", "MarkFailedPings=1", "AlwaysOnTop=0",
        "PingEvery=1", "PingEverySeconds=0", "PingTimeout=700", "RememberHosts=1", "IPHostDescFormat=0",
    };
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(saved[i], expected[i]);
    // The placement as the window reports it: length 44 first, the normal rectangle last.
    EXPECT_EQ(saved[11].substr(0, 19), "WinPos=2C 00 00 00 ");
    EXPECT_EQ(saved[11].size(), 7u + 44 * 3 - 1);
    EXPECT_EQ(saved[11].substr(saved[11].size() - 47), "3C 00 00 00 46 00 00 00 A8 02 00 00 FE 01 00 00");
    EXPECT_EQ(saved[12], "Columns=" + columns);
    EXPECT_EQ(saved[13], "Sort=4098");
    EXPECT_EQ(ReadFileBytes(box.PathOf(L"EchoSentinel_hosts.txt")), Utf16(L"127.0.0.1-127.0.0.4\r\n"));

    // The next start, without a file to load: Ping Options opens with the remembered list.
    process = box.Start(L"");
    window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    HWND options = WaitForWindow(process, L"#32770");
    ASSERT_NE(options, nullptr);
    wchar_t text[100] = L"";
    ::SendMessageW(::GetDlgItem(options, 1005), WM_GETTEXT, 100, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"127.0.0.1-127.0.0.4\r\n");
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 70);
    EXPECT_EQ(rect.right, 680);
    EXPECT_EQ(rect.bottom, 510);
    list = ListViewOf(window);
    EXPECT_EQ(ListViewColumnOrder(process, list, 10), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(ListViewColumnWidth(list, 4), 0);
    ::PostMessageW(options, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForPingedRows(process, list, 4, 1));
    EXPECT_EQ(HeaderImage(process, list, 2), 1);
    EXPECT_EQ(CloseAndWait(process, window), 0);
}

TEST(MainWindowE2e, TheHtmlReportIsWrittenBesideTheProgramAndRemovedAtExit) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1-127.0.0.3\r\n");
    HANDLE process = box.Start(L"/nosaveload /loadfile \"" + box.PathOf(L"list.txt") + L"\"");
    HWND window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForPingedRows(process, ListViewOf(window), 3, 1));
    ::SendMessageW(window, WM_COMMAND, 40006, 0);
    const std::string report = ReadFileBytes(box.PathOf(L"report.html"));
    ASSERT_NE(report, "<missing>");
    EXPECT_EQ(report.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(report.find(Utf16(L"127.0.0.3")), std::string::npos);
    EXPECT_EQ(CloseAndWait(process, window), 0);
    EXPECT_EQ(ReadFileBytes(box.PathOf(L"report.html")), "<missing>");
}

TEST(MainWindowE2e, APlacementSavedMaximisedStartsMaximised) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"EchoSentinel.cfg"),
                   "[General]\r\nWinPos=2C 00 00 00 00 00 00 00 03 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF "
                   "FF FF FF FF 28 00 00 00 1E 00 00 00 E4 02 00 00 12 02 00 00\r\n");
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1\r\n");
    HANDLE process = box.Start(L"/loadfile \"" + box.PathOf(L"list.txt") + L"\"");
    HWND window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsZoomed(window));
    EXPECT_EQ(CloseAndWait(process, window), 0);
}

// Windows asks first and may then go on: the settings are saved at the question, pinging goes on
// when the session does, and a later close saves again.
TEST(MainWindowE2e, AnEndOfSessionThatIsCancelledLeavesTheProgramPinging) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1-127.0.0.3\r\n");
    HANDLE process = box.Start(L"/PingEverySeconds 0 /loadfile \"" + box.PathOf(L"list.txt") + L"\"");
    HWND window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    HWND list = ListViewOf(window);
    ASSERT_TRUE(WaitForPingedRows(process, list, 3, 1));
    DWORD_PTR answer = 0;
    const DWORD asked = ::GetTickCount();
    ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer));
    EXPECT_LT(::GetTickCount() - asked, 2000u) << "answered at once";
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    const std::string saved = ReadFileBytes(box.PathOf(L"EchoSentinel.cfg"));
    EXPECT_NE(saved.find("PingEverySeconds=0\r\n"), std::string::npos) << saved;
    EXPECT_EQ(ReadFileBytes(box.PathOf(L"EchoSentinel_hosts.txt")), Utf16(L"127.0.0.1-127.0.0.3\r\n"));

    ::DeleteFileW(box.PathOf(L"EchoSentinel.cfg").c_str());
    ::SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    const int rounds = _wtoi(ListViewCell(process, list, 0, 3).c_str());
    EXPECT_TRUE(WaitForPingedRows(process, list, 3, rounds + 2)) << "pinging goes on";
    EXPECT_EQ(CloseAndWait(process, window), 0);
    EXPECT_NE(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg")).find("PingEverySeconds=0\r\n"), std::string::npos);
}

// Closing never waits for echoes in flight: a silent host with a 20 s timeout does not hold the
// process (bench/exit-bench.sh measures how long it takes).
TEST(MainWindowE2e, TheProcessEndsPromptlyWhileAnEchoWaitsForItsTimeout) {
    const char* silent = std::getenv("ES_SILENT_HOST");
    if (!silent || !*silent) GTEST_SKIP() << "no silent host in this run (scripts/silent-host.sh)";
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), std::string(silent) + "\r\n127.0.0.1\r\n");
    HANDLE process = box.Start(L"/PingTimeout 20000 /loadfile \"" + box.PathOf(L"list.txt") + L"\"");
    HWND window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    HWND list = ListViewOf(window);
    const auto loopbackAnswered = [&] {
        for (int row = 0; row < RowCount(list); ++row)
            if (ListViewCell(process, list, row, 0) == L"127.0.0.1" && ListViewCell(process, list, row, 3) == L"1")
                return true;
        return false;
    };
    for (int i = 0; i < 200 && !loopbackAnswered(); ++i) ::Sleep(50);
    ASSERT_TRUE(loopbackAnswered()) << "the round is under way";
    const DWORD closed = ::GetTickCount();
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(process, 8000), WAIT_OBJECT_0) << "still running 8 s after the close";
    EXPECT_LT(::GetTickCount() - closed, 8000u);
    EXPECT_NE(ReadFileBytes(box.PathOf(L"EchoSentinel.cfg")).find("PingTimeout=20000\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
