// The main window with N rows under Wine: rebuilding the rows, a timer tick with nothing new, the
// tick that shows a whole round of results, Auto Size Columns, sorting and Select All, the history
// graph of eight rows repainted after a result; beside the same work done on a bare list view and
// on a bare owner-data list view (the floors). No echo request is sent: results are put into the
// rows directly.
// Usage: es_window_bench.exe N [10|19], the number of columns shown (default 10)
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int Pump() {
    int statusUpdates = 0;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == UM_UPDATESTATUS) ++statusUpdates;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return statusUpdates;
}

std::wstring Range(int rows) {
    // 10.0.0.1 onwards: only parsed, never pinged.
    const unsigned last = 0x0A000000u + static_cast<unsigned>(rows);
    return L"10.0.0.1-" + std::to_wstring(last >> 24) + L"." + std::to_wstring((last >> 16) & 255) + L"." +
           std::to_wstring((last >> 8) & 255) + L"." + std::to_wstring(last & 255);
}

// Every row gets a result, as a round of replies would bring.
void ApplyRound(es::PingItemList& items, std::uint32_t time) {
    for (std::size_t i = 0; i < items.Count(); ++i) {
        const es::PingItem& row = items.Row(i);
        items.ApplyResult({static_cast<int>(i), row.RowId, 0, row.Address, row.Address, 64, time, 0});
    }
}

// A screen's worth of rows gets a full history: times over the whole scale, every tenth a failure.
void FillHistories(es::PingItemList& items, std::size_t rows) {
    for (std::size_t i = 0; i < std::min(rows, items.Count()); ++i) {
        const es::PingItem& row = items.Row(i);
        for (std::uint32_t n = 0; n < es::kHistoryLength; ++n)
            items.ApplyResult({static_cast<int>(i), row.RowId, n % 10 == 9 ? 10 : 0, row.Address, row.Address, 64,
                               (n * 37 + static_cast<std::uint32_t>(i)) % 1500, 0});
    }
}

// The fastest of a number of full repaints of the list, in ms: the others met other work of the machine.
double Repaint(HWND list, int times) {
    double fastest = 1e9;
    for (int i = 0; i < times; ++i) {
        const double start = Now();
        ::InvalidateRect(list, nullptr, FALSE);
        ::UpdateWindow(list);
        fastest = std::min(fastest, Now() - start);
    }
    return fastest;
}

// The floor: the same list-view work without any of the program around it.
void Floor(HWND parent, int rows) {
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 600, 400, parent,
                                  nullptr, nullptr, nullptr);
    for (int c = 0; c < 10; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 80;
        column.pszText = const_cast<wchar_t*>(L"c");
        ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    double start = Now();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    wchar_t text[32];
    for (int r = 0; r < rows; ++r) {
        swprintf(text, 32, L"10.0.%d.%d", r >> 8, r & 255);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = r;
        item.pszText = text;
        item.lParam = r;
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 10; ++c) {
            item.iSubItem = c;
            ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
        }
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    const double insert = Now() - start;

    start = Now();
    wchar_t read[64];
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 10; ++c) {
            LVITEMW item = {};
            item.iSubItem = c;
            item.pszText = read;
            item.cchTextMax = 64;
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
        }
    }
    const double compare = Now() - start;

    start = Now();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int r = 0; r < rows; ++r) {
        LVITEMW item = {};
        item.iSubItem = 3;
        item.pszText = const_cast<wchar_t*>(L"1");
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    const double setOne = Now() - start;

    start = Now();
    for (int r = 0; r < rows; ++r) {
        LVITEMW item = {};
        item.iSubItem = 3;
        item.pszText = const_cast<wchar_t*>(L"2");
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    }
    const double setOneDrawing = Now() - start;
    start = Now();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    const double redrawSwitch = Now() - start;
    std::printf("floor set_one_cell_per_row_drawing_on_ms=%.0f redraw_off_on_ms=%.1f\n", setOneDrawing, redrawSwitch);
    std::printf("floor rows=%d insert_ms=%.0f read_all_cells_ms=%.0f set_one_cell_per_row_ms=%.0f\n", rows, insert,
                compare, setOne);
    ::DestroyWindow(list);
}

// The floor of an owner-data list view: the control alone, its cells left empty by the parent.
void OwnerDataFloor(HWND parent, int rows) {
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 600,
                                  400, parent, nullptr, nullptr, nullptr);
    for (int c = 0; c < 10; ++c) {
        LVCOLUMNW column = {LVCF_WIDTH | LVCF_TEXT, 0, 80, const_cast<wchar_t*>(L"c")};
        ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    double start = Now();
    ::SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
    ::UpdateWindow(list);
    const double count = Now() - start;
    start = Now();
    ::InvalidateRect(list, nullptr, FALSE);
    ::UpdateWindow(list);
    const double repaint = Now() - start;
    start = Now();
    LVITEMW all = {};
    all.state = all.stateMask = LVIS_SELECTED;
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    const double selectAll = Now() - start;
    std::printf("owner-data floor rows=%d set_count_and_paint_ms=%.1f full_repaint_ms=%.1f select_all_ms=%.1f\n", rows,
                count, repaint, selectAll);
    ::DestroyWindow(list);
}

// The history graph of the first eight rows, each with 100 results: the time from one more result
// for each to the graph repainted, the tick's check and the drawing together.
double GraphUpdate(es::MainWindow& window) {
    constexpr int kRows = 8, kUpdates = 50;
    window.View().SetRowState(-1, 0, LVIS_SELECTED);
    for (int row = 0; row < kRows; ++row) window.View().SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
    Pump();
    ::SendMessageW(window.Window(), WM_COMMAND, IDM_HISTORYGRAPH, 0);
    Pump();
    es::PingItemList& items = window.Items();
    const auto round = [&](int n) {
        for (int row = 0; row < kRows; ++row) {
            std::size_t item = 0;
            window.View().ItemOfRow(row, item);
            const es::PingItem& r = items.Row(item);
            const std::int32_t status = (n + row) % 10 == 3 ? 10 : 0;  // every tenth a time-out
            const auto time = static_cast<std::uint32_t>(1 + (n * 37 + row * 11) % 400);
            items.ApplyResult({static_cast<int>(item), r.RowId, status, r.Address, r.Address, 64, time, 0});
        }
    };
    for (int n = 0; n < 100; ++n) round(n);
    double total = 0;
    for (int n = 0; n < kUpdates; ++n) {
        round(n);
        const double start = Now();
        window.Graph().OnTick();
        ::UpdateWindow(window.Graph().Window());
        total += Now() - start;
    }
    return total / kUpdates;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rows = argc > 1 ? _wtoi(argv[1]) : 65535;
    const int columns = argc > 2 ? _wtoi(argv[2]) : 10;  // 19: the statistics columns shown too
    INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    es::ResourceTexts texts;
    es::InstallBuiltInTexts(&texts);
    es::CommandLine commandLine;
    commandLine.Parse(L"/nosaveload");
    es::MainWindow window(commandLine);
    if (!window.Create(::GetModuleHandleW(nullptr))) return 1;
    ::ShowWindow(window.Window(), SW_SHOW);
    Pump();
    ::KillTimer(window.Window(), es::MainWindow::kTimerId);  // ticks are driven here
    if (columns > 10) ::SendMessageW(window.Window(), WM_COMMAND, IDM_STATISTICSCOLUMNS, 0);

    window.Settings().addressList = Range(rows);
    double start = Now();
    window.RebuildRows();
    const double rebuild = Now() - start;
    Pump();
    ::UpdateWindow(window.Window());

    // Again, over the rows just built (Ping Options OK with the same list).
    start = Now();
    window.RebuildRows();
    const double rebuildAgain = Now() - start;
    Pump();

    window.Cycle().PingingActive = true;
    start = Now();
    const int idleTicks = 1000;
    for (int i = 0; i < idleTicks; ++i) window.OnTimerTick();
    const double idle = (Now() - start) / idleTicks;

    ApplyRound(window.Items(), 3);
    start = Now();
    window.OnTimerTick();
    const double firstRound = Now() - start;
    start = Now();
    ::UpdateWindow(window.ListView());
    const double paint = Now() - start;

    ApplyRound(window.Items(), 3);  // the second round: only the succeeded count changes
    start = Now();
    window.OnTimerTick();
    const double secondRound = Now() - start;

    // A screen of sparklines, in a window of 1000 by 1000: the host and Recent Pings alone painted,
    // less the host alone.
    double sparklines = 0, hostOnly = 0;
    int rowsShown = 0;
    std::vector<int> widths;
    HWND list = window.ListView();
    if (columns > 10) {
        FillHistories(window.Items(), 200);
        ::SetWindowPos(window.Window(), nullptr, 0, 0, 1000, 1000, SWP_NOZORDER | SWP_NOMOVE);
        Pump();
        for (int c = 0; c < window.Items().ColumnCount(); ++c) {
            widths.push_back(static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0)));
            if (c != es::kFieldHost) ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), 0);
        }
        Repaint(list, 5);
        hostOnly = Repaint(list, 50);
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, es::kFieldRecentPings, widths[es::kFieldRecentPings]);
        Repaint(list, 5);
        sparklines = Repaint(list, 50) - hostOnly;
        rowsShown = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        for (int c = 0; c < window.Items().ColumnCount(); ++c)
            ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), widths[static_cast<std::size_t>(c)]);
    }

    // Every column fitted to the texts of every row, after a round has filled them in.
    start = Now();
    ::SendMessageW(window.Window(), WM_COMMAND, IDM_AUTOSIZECOLUMNS, 0);
    const double autoSize = Now() - start;
    Pump();

    start = Now();
    ::SendMessageW(window.Window(), WM_COMMAND, IDM_RESET, 0);
    const double reset = Now() - start;

    start = Now();
    window.View().SortByColumn(1, false);
    const double sort = Now() - start;

    ::SendMessageW(window.Window(), WM_COMMAND, IDM_DESELECTALL, 0);
    Pump();
    start = Now();
    ::SendMessageW(window.Window(), WM_COMMAND, IDM_SELECTALL, 0);
    const int statusUpdates = Pump();
    const double selectAll = Now() - start;

    std::printf("window rows=%d columns=%d rebuild_ms=%.0f rebuild_again_ms=%.0f idle_tick_ms=%.4f first_round_tick_ms=%.1f paint_ms=%.1f "
                "second_round_tick_ms=%.1f reset_ms=%.0f sort_ms=%.0f select_all_ms=%.0f status_updates=%d\n",
                rows, columns, rebuild, rebuildAgain, idle, firstRound, paint, secondRound, reset, sort, selectAll, statusUpdates);
    PROCESS_MEMORY_COUNTERS memory = {};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    std::printf("window rows=%d columns=%d auto_size_ms=%.0f\n", rows, columns, autoSize);
    if (columns > 10)
        std::printf("window rows=%d columns=%d rows_shown=%d sparkline_paint_ms=%.2f host_column_paint_ms=%.2f\n", rows,
                    columns, rowsShown, sparklines, hostOnly);
    std::printf("window rows=%d columns=%d peak_working_set_mb=%.1f\n", rows, columns, memory.PeakWorkingSetSize / 1048576.0);
    std::printf("graph rows=8 results=100 graph_update_ms=%.2f\n", GraphUpdate(window));
    if (columns > 10) return 0;  // the floors do not depend on the layout
    Floor(window.Window(), rows);
    OwnerDataFloor(window.Window(), rows);
    es::InstallBuiltInTexts(nullptr);
    return 0;
}
