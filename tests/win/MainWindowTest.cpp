// The main window created in this process and driven through its messages: children, columns,
// rows, cells and images, sorting, command states, the status bar, the ping cycle on loopback
// rows, Stop and Ping Options during a round, loading and saving rows, and shutdown.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/MainWindow.h"
#include "common/WinFiles.h"
#include "lang/ResourceTexts.h"
#include "ping/FakeEcho.h"
#include "resources/ResourceIds.h"
#include "support/ExePaths.h"
#include "win/UiDriver.h"

namespace es {
namespace {

using testing_es::PumpFor;
using testing_es::PumpUntil;

class MainWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        WSADATA data;
        ::WSAStartup(0x0101, &data);
    }
    void SetUp() override { InstallBuiltInTexts(&texts); }
    void TearDown() override {
        window.reset();
        PumpFor(0);
        InstallBuiltInTexts(nullptr);
    }
    void Open(const wchar_t* arguments = L"/nosaveload") {
        commandLine.Parse(arguments);
        window = std::make_unique<MainWindow>(commandLine);
        ASSERT_TRUE(window->Create(::GetModuleHandleW(nullptr)));
        ::ShowWindow(window->Window(), SW_SHOW);
        PumpFor(0);
    }
    // Echo requests answered by a script instead of the network; held until released when asked.
    void UseFakeEcho(bool held) {
        echo->held = held;
        window->Items().Engine().SetPlatformFactory([this] { return testing_es::MakeFakePlatform(echo); });
    }
    void Release() { echo->Hold(false); }
    std::size_t Sent() { return echo->SentCount(); }
    // Rows from the list, not pinged.
    void Build(const wchar_t* addresses) {
        window->Settings().addressList = addresses;
        window->RebuildRows();
        PumpFor(0);
    }
    void Load(const wchar_t* addresses) {
        window->Settings().addressList = addresses;
        window->RestartPinging();
        PumpFor(0);
    }
    void Command(int id) {
        ::SendMessageW(window->Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        PumpFor(0);
    }
    HWND List() const { return window->ListView(); }
    int Rows() const { return static_cast<int>(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::wstring Cell(int row, int column) const {
        wchar_t text[300] = L"";
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 300;
        ::SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    std::vector<std::wstring> ColumnTexts(int column) const {
        std::vector<std::wstring> texts;
        for (int row = 0; row < Rows(); ++row) texts.push_back(Cell(row, column));
        return texts;
    }
    int Image(int row) const {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ::SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    // The header item's image, -1 when it shows none.
    int HeaderImage(int column) const {
        HWND header = reinterpret_cast<HWND>(::SendMessageW(List(), LVM_GETHEADER, 0, 0));
        HDITEMW item = {};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
    }
    std::wstring StatusText(int part) const {
        wchar_t text[300] = L"";
        ::SendMessageW(window->StatusBar(), SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool MenuEnabled(HMENU menu, int id) const {
        UINT state = ::GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & MF_GRAYED);
    }
    bool MenuEnabled(int id) const { return MenuEnabled(window->MainMenu(), id); }
    bool MenuChecked(int id) const {
        return (::GetMenuState(window->MainMenu(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    bool ButtonEnabled(int id) const {
        return (::SendMessageW(window->Toolbar(), TB_GETSTATE, static_cast<WPARAM>(id), 0) & TBSTATE_ENABLED) != 0;
    }
    void SelectRows(std::initializer_list<int> rows) {
        window->View().SetRowState(-1, 0, LVIS_SELECTED);
        for (int row : rows) window->View().SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
        PumpFor(0);
    }
    void ClickHeader(int column) {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = List();
        click.hdr.idFrom = IDC_LISTVIEW;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        ::SendMessageW(window->Window(), WM_NOTIFY, IDC_LISTVIEW, reinterpret_cast<LPARAM>(&click));
    }
    std::wstring ToolTip(int command) {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = window->Toolbar();
        info.hdr.idFrom = static_cast<UINT_PTR>(command);
        info.hdr.code = TTN_GETDISPINFOW;
        info.hinst = ::GetModuleHandleW(nullptr);
        ::SendMessageW(window->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.hinst, nullptr);
        return info.szText;
    }
    bool AllCellsRead(int column, const std::wstring& text) {
        for (int row = 0; row < Rows(); ++row) {
            if (Cell(row, column) != text) return false;
        }
        return Rows() > 0;
    }

    ResourceTexts texts;
    CommandLine commandLine;
    std::unique_ptr<MainWindow> window;
    std::shared_ptr<testing_es::FakeEcho::Shared> echo = std::make_shared<testing_es::FakeEcho::Shared>();
};

TEST_F(MainWindowTest, HasTheToolbarTheTenColumnsAndTheTwoPartStatusBar) {
    Open();
    struct Button {
        int image, command;
        BYTE style;
    };
    const Button expected[] = {
        {0, 0, BTNS_SEP}, {6, IDM_PINGOPTIONS, BTNS_BUTTON}, {7, IDM_STARTPING, BTNS_BUTTON},
        {5, IDM_STOPPING, BTNS_BUTTON}, {0, 0, BTNS_SEP}, {1, IDM_SAVESELECTED, BTNS_BUTTON},
        {2, IDM_COPYSELECTED, BTNS_BUTTON}, {3, IDM_PROPERTIES, BTNS_BUTTON}, {0, IDM_FIND, BTNS_BUTTON},
        {4, IDM_EXIT, BTNS_BUTTON},
    };
    ASSERT_EQ(::SendMessageW(window->Toolbar(), TB_BUTTONCOUNT, 0, 0), 10);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        TBBUTTON button = {};
        ::SendMessageW(window->Toolbar(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.fsStyle & BTNS_SEP, expected[i].style & BTNS_SEP);
        if (expected[i].style == BTNS_SEP) continue;
        EXPECT_EQ(button.idCommand, expected[i].command);
        EXPECT_EQ(button.iBitmap, expected[i].image);
    }
    EXPECT_EQ(::GetDlgCtrlID(window->StatusBar()), IDC_STATUSBAR);
    EXPECT_EQ(::GetDlgCtrlID(window->Toolbar()), IDC_TOOLBAR);
    EXPECT_EQ(::GetDlgCtrlID(List()), IDC_LISTVIEW);

    const wchar_t* titles[] = {L"主電腦名", L"IP 位址", L"為回應特殊的 IP 位址", L"成功計數", L"失敗計數",
                               L"上次測試狀態", L"上次響應時間", L"為上次測試特殊的生存時間", L"平均響應時間", L"描述"};
    const int widths[] = {150, 110, 110, 90, 90, 120, 100, 100, 100, 120};
    for (int c = 0; c < 10; ++c) {
        SCOPED_TRACE(c);
        wchar_t title[100] = L"";
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = title;
        column.cchTextMax = 100;
        ASSERT_TRUE(::SendMessageW(List(), LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(title, titles[c]);
        EXPECT_EQ(column.cx, widths[c]);
    }
    const LONG_PTR style = ::GetWindowLongPtrW(List(), GWL_STYLE);
    EXPECT_EQ(style & (LVS_TYPEMASK | LVS_SHOWSELALWAYS), LVS_REPORT | LVS_SHOWSELALWAYS);
    const auto extended = ::SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP | LVS_EX_GRIDLINES),
              LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP);

    int parts[3] = {};
    ASSERT_EQ(::SendMessageW(window->StatusBar(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], 300);
    EXPECT_EQ(parts[1], 1024);
    EXPECT_TRUE(HIWORD(::SendMessageW(window->StatusBar(), SB_GETTEXTLENGTHW, 1, 0)) & SBT_OWNERDRAW)
        << "the link part is drawn by the window";
}

TEST_F(MainWindowTest, TheListFillsTheSpaceBetweenTheBarsAfterAResize) {
    Open();
    ::SetWindowPos(window->Window(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(0);
    RECT client, toolbar, status, list;
    ::GetClientRect(window->Window(), &client);
    ::GetWindowRect(window->Toolbar(), &toolbar);
    ::GetWindowRect(window->StatusBar(), &status);
    ::GetWindowRect(List(), &list);
    ::MapWindowPoints(nullptr, window->Window(), reinterpret_cast<POINT*>(&list), 2);
    // Each bar gets one pixel more than its own height.
    const int toolbarHeight = toolbar.bottom - toolbar.top + 1, statusHeight = status.bottom - status.top + 1;
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, toolbarHeight);
    EXPECT_EQ(list.right, client.right);
    EXPECT_EQ(list.bottom - list.top, client.bottom - toolbarHeight - statusHeight);
}

TEST_F(MainWindowTest, ToolTipsShowTheMenuTextOfTheirCommand) {
    Open();
    EXPECT_EQ(ToolTip(IDM_STARTPING), L"開始 Ping\tF7");
    EXPECT_EQ(ToolTip(IDM_PINGOPTIONS), L"Ping 選項");
}

TEST_F(MainWindowTest, CommandStatesFollowTheRowsTheSelectionAndPinging) {
    Open();
    struct State {
        int command;
        bool enabled;
    };
    auto check = [&](const char* when, std::initializer_list<State> states) {
        SCOPED_TRACE(when);
        for (const State& s : states) {
            SCOPED_TRACE(s.command);
            EXPECT_EQ(MenuEnabled(s.command), s.enabled);
        }
    };
    check("no rows", {{IDM_STARTPING, false}, {IDM_STOPPING, false}, {IDM_FIND, false}, {IDM_RESET, false},
                      {IDM_HTMLREPORTALL, false}, {IDM_HTMLREPORTSELECTED, false}, {IDM_AUTOSIZECOLUMNS, false},
                      {IDM_PROPERTIES, false}, {IDM_SAVESELECTED, false}, {IDM_COPYSELECTED, false},
                      {IDM_PINGOPTIONS, true}, {IDM_SELECTALL, true}});
    for (int id : {IDM_STARTPING, IDM_STOPPING, IDM_FIND, IDM_PROPERTIES, IDM_SAVESELECTED, IDM_COPYSELECTED}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(ButtonEnabled(id));
    }
    EXPECT_TRUE(ButtonEnabled(IDM_PINGOPTIONS));

    UseFakeEcho(true);
    Load(L"127.0.0.1-127.0.0.3");
    SelectRows({1});
    check("one selected while pinging",
          {{IDM_PROPERTIES, true}, {IDM_SAVESELECTED, true}, {IDM_COPYSELECTED, true}, {IDM_HTMLREPORTSELECTED, true},
           {IDM_STOPPING, true}, {IDM_STARTPING, false}, {IDM_FIND, true}, {IDM_RESET, true},
           {IDM_HTMLREPORTALL, true}, {IDM_AUTOSIZECOLUMNS, true}});
    EXPECT_TRUE(ButtonEnabled(IDM_PROPERTIES));
    EXPECT_TRUE(ButtonEnabled(IDM_STOPPING));
    EXPECT_FALSE(ButtonEnabled(IDM_STARTPING));

    SelectRows({0, 2});
    check("two selected", {{IDM_PROPERTIES, false}, {IDM_SAVESELECTED, true}, {IDM_COPYSELECTED, true},
                           {IDM_HTMLREPORTSELECTED, true}});
    EXPECT_FALSE(ButtonEnabled(IDM_PROPERTIES));
    EXPECT_TRUE(ButtonEnabled(IDM_SAVESELECTED));

    SelectRows({});
    check("none selected", {{IDM_PROPERTIES, false}, {IDM_SAVESELECTED, false}, {IDM_COPYSELECTED, false},
                            {IDM_HTMLREPORTSELECTED, false}, {IDM_HTMLREPORTALL, true}});

    Command(IDM_STOPPING);
    check("stopped", {{IDM_STOPPING, false}, {IDM_STARTPING, true}});
    EXPECT_TRUE(ButtonEnabled(IDM_STARTPING));
    EXPECT_FALSE(ButtonEnabled(IDM_STOPPING));

    // The context menu gets the same rules before it shows.
    HMENU popup = ::GetSubMenu(window->ContextMenu(), 0);
    SelectRows({0, 1});
    window->UpdateCommandStates(popup);
    EXPECT_FALSE(MenuEnabled(popup, IDM_PROPERTIES));
    EXPECT_TRUE(MenuEnabled(popup, IDM_SAVESELECTED));
    EXPECT_TRUE(MenuEnabled(popup, IDM_HTMLREPORTSELECTED));
    Release();
}

TEST_F(MainWindowTest, OptionCommandsFlipTheirSettingAndCheckMark) {
    Open();
    const auto gridBits = [&] {
        return ::SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    };
    EXPECT_FALSE(MenuChecked(IDM_SHOWGRIDLINES));
    Command(IDM_SHOWGRIDLINES);
    EXPECT_TRUE(MenuChecked(IDM_SHOWGRIDLINES));
    EXPECT_EQ(window->Settings().ShowGridLines, 1);
    EXPECT_EQ(gridBits(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    Command(IDM_SHOWGRIDLINES);
    EXPECT_EQ(gridBits(), LVS_EX_FULLROWSELECT);

    EXPECT_TRUE(MenuChecked(IDM_SHOWTOOLTIPS));
    Command(IDM_SHOWTOOLTIPS);
    EXPECT_FALSE(MenuChecked(IDM_SHOWTOOLTIPS));
    EXPECT_EQ(::SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_INFOTIP, 0);

    Command(IDM_MARKFAILED);
    EXPECT_TRUE(MenuChecked(IDM_MARKFAILED));
    EXPECT_EQ(window->Settings().MarkFailedPings, 1);

    Command(IDM_ALWAYSONTOP);
    EXPECT_TRUE(MenuChecked(IDM_ALWAYSONTOP));
    EXPECT_TRUE(::GetWindowLongPtrW(window->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Command(IDM_ALWAYSONTOP);
    EXPECT_FALSE(::GetWindowLongPtrW(window->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, CommandLineValuesOverrideTheSettingsForTheRun) {
    Open(L"/nosaveload /PingTimeout 500 /AlwaysOnTop 1 /PingEvery");
    EXPECT_EQ(window->Settings().PingTimeout, 500);
    EXPECT_EQ(window->Settings().AlwaysOnTop, 1);
    EXPECT_EQ(window->Settings().PingEvery, 0) << "an option as the last word has the value 0";
    EXPECT_EQ(window->Settings().PingEverySeconds, 30);
    EXPECT_TRUE(MenuChecked(IDM_ALWAYSONTOP));
}

TEST_F(MainWindowTest, TheStatusBarCountsRowsAndSelectedRowsOnceForABurst) {
    Open();
    Build(L"127.0.0.1-127.0.0.12");
    SelectRows({});
    EXPECT_EQ(StatusText(0), L"共 12 項");
    SelectRows({2, 4, 6});
    EXPECT_EQ(StatusText(0), L"共 12 項\", 已選取 3 個\"");

    Build(L"127.0.0.1-127.0.19.136");  // 5,000 rows
    ASSERT_EQ(Rows(), 5000);
    PumpFor(0);
    int updates = 0;
    Command(IDM_DESELECTALL);
    ::SendMessageW(window->Window(), WM_COMMAND, IDM_SELECTALL, 0);
    PumpUntil({}, 50, [&](const MSG& msg) { updates += msg.message == UM_UPDATESTATUS; });
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(StatusText(0), L"共 5000 項\", 已選取 5000 個\"");
}

TEST_F(MainWindowTest, HeaderClicksSortAscendingThenReverseWithTheArrowImages) {
    Open();
    Build(L"127.0.0.1-127.0.0.12");
    const std::vector<std::wstring> byHostText = {L"127.0.0.1", L"127.0.0.10", L"127.0.0.11", L"127.0.0.12",
                                                  L"127.0.0.2", L"127.0.0.3",  L"127.0.0.4",  L"127.0.0.5",
                                                  L"127.0.0.6", L"127.0.0.7",  L"127.0.0.8",  L"127.0.0.9"};
    EXPECT_EQ(ColumnTexts(0), byHostText);
    EXPECT_EQ(HeaderImage(0), 0);
    EXPECT_EQ(Cell(0, 0), L"127.0.0.1");
    EXPECT_TRUE(window->View().IsRowMarked(0)) << "the first row is selected after a rebuild";

    ClickHeader(1);
    std::vector<std::wstring> byAddress;
    for (int i = 1; i <= 12; ++i) byAddress.push_back(L"127.0.0." + std::to_wstring(i));
    EXPECT_EQ(ColumnTexts(1), byAddress);
    EXPECT_EQ(HeaderImage(0), -1);
    EXPECT_EQ(HeaderImage(1), 0);
    EXPECT_EQ(window->Items().SavedSortKey(), 1);

    ClickHeader(1);
    EXPECT_EQ(ColumnTexts(1), std::vector<std::wstring>(byAddress.rbegin(), byAddress.rend()));
    EXPECT_EQ(HeaderImage(1), 1);
    EXPECT_EQ(window->Items().SavedSortKey(), 1 + 4096);

    ClickHeader(0);
    EXPECT_EQ(ColumnTexts(0), byHostText) << "another column sorts ascending whatever the direction was";
    EXPECT_EQ(HeaderImage(1), -1);
    EXPECT_EQ(HeaderImage(0), 0);
}

TEST_F(MainWindowTest, APingCycleOnLoopbackRowsRewritesTheirCellsAndIcons) {
    Open(L"/nosaveload /PingEverySeconds 0");
    window->Settings().addressList = L"127.0.0.1-127.0.0.5";
    window->RestartPinging();
    ASSERT_EQ(Rows(), 5);
    for (int row = 0; row < 5; ++row) EXPECT_EQ(Image(row), 0) << "not shown as pinged before a tick";
    ASSERT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"3"); }, 30000)) << "three rounds, one after another";
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Cell(row, 2), Cell(row, 1)) << "loopback replies from the address pinged";
        EXPECT_EQ(Cell(row, 5), L"成功");
        EXPECT_EQ(Cell(row, 7), L"64");
        EXPECT_EQ(Image(row), 1);
    }
}

TEST_F(MainWindowTest, WithoutRepeatingEveryRowIsPingedOnceAndPingingStaysOn) {
    Open(L"/nosaveload /PingEvery 0 /PingEverySeconds 0");
    Load(L"127.0.0.1-127.0.0.4");
    ASSERT_TRUE(PumpUntil([&] { return window->Cycle().WaitingForNextRound; }, 20000));
    PumpFor(600);
    EXPECT_TRUE(AllCellsRead(3, L"1"));
    EXPECT_TRUE(window->Cycle().PingingActive);
    EXPECT_FALSE(MenuEnabled(IDM_STARTPING));
    EXPECT_TRUE(MenuEnabled(IDM_STOPPING));
}

TEST_F(MainWindowTest, StopDuringARoundKeepsTheListStillUntilStartPingsAgainAtOnce) {
    Open(L"/nosaveload /PingEverySeconds 30");
    UseFakeEcho(true);
    Load(L"127.0.0.1-127.0.0.4");
    ASSERT_TRUE(PumpUntil([&] { return Sent() == 4; }, 5000));
    Command(IDM_STOPPING);
    Release();
    // The tick records the completion even while stopped.
    ASSERT_TRUE(PumpUntil([&] { return window->Cycle().WaitingForNextRound; }, 5000));
    PumpFor(300);
    EXPECT_EQ(window->Items().Row(0).SucceedCount, 1u) << "the results landed in the rows";
    EXPECT_TRUE(AllCellsRead(3, L"0")) << "but the list is not refreshed while stopped";

    Command(IDM_STARTPING);
    EXPECT_TRUE(PumpUntil([&] { return Sent() == 8; }, 5000)) << "a new round at once";
    EXPECT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"2"); }, 5000));
    PumpFor(300);
    EXPECT_EQ(Sent(), 8u) << "exactly one round";
}

TEST_F(MainWindowTest, PingOptionsOkDuringARoundRebuildsTheRowsAndDropsTheirLateResults) {
    Open(L"/nosaveload /PingEverySeconds 30");
    UseFakeEcho(true);
    Load(L"127.0.0.1-127.0.0.3");
    ASSERT_TRUE(PumpUntil([&] { return Sent() == 3; }, 5000));
    {
        testing_es::DialogAutomation ok([](HWND dialog) {
            ::SetDlgItemTextW(dialog, IDC_OPT_ADDRESSES, L"127.0.1.1\r\n127.0.1.2");
            testing_es::ClickButton(dialog, IDOK);
            return true;
        });
        Command(IDM_PINGOPTIONS);
        EXPECT_FALSE(ok.TimedOut());
        EXPECT_EQ(ok.Caption(), L"Ping 選項");
    }
    EXPECT_EQ(window->Settings().addressList, L"127.0.1.1\r\n127.0.1.2");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), L"127.0.1.1");
    EXPECT_TRUE(window->Cycle().PingingActive);
    Release();
    ASSERT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"1"); }, 5000));
    PumpFor(300);
    EXPECT_EQ(window->Items().Row(0).SucceedCount, 1u) << "the old rows' results were not applied";
    EXPECT_EQ(window->Items().Row(1).SucceedCount, 1u);
}

TEST_F(MainWindowTest, PingOptionsCancelChangesNothing) {
    Open();
    UseFakeEcho(false);
    Build(L"127.0.0.1-127.0.0.3");
    {
        testing_es::DialogAutomation cancel([](HWND dialog) {
            ::SetDlgItemTextW(dialog, IDC_OPT_ADDRESSES, L"127.0.9.9");
            ::SetDlgItemTextW(dialog, IDC_OPT_TIMEOUT, L"750");
            testing_es::ClickButton(dialog, IDCANCEL);
            return true;
        });
        Command(IDM_PINGOPTIONS);
        EXPECT_FALSE(cancel.TimedOut());
    }
    EXPECT_EQ(window->Settings().addressList, L"127.0.0.1-127.0.0.3");
    EXPECT_EQ(window->Settings().PingTimeout, 1000);
    EXPECT_EQ(Rows(), 3);
    EXPECT_FALSE(window->Cycle().PingingActive);
    EXPECT_EQ(Sent(), 0u);
}

// Counts the cell and item writes that reach the list view.
struct WriteCounter {
    static inline int texts = 0, items = 0;
    static inline WNDPROC original = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == LVM_SETITEMTEXTW) ++texts;
        if (message == LVM_SETITEMW) ++items;
        return ::CallWindowProcW(original, window, message, wParam, lParam);
    }
    explicit WriteCounter(HWND list) : list_(list) {
        texts = items = 0;
        original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WriteCounter::Proc)));
    }
    ~WriteCounter() { ::SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original)); }
    HWND list_;
};

TEST_F(MainWindowTest, ARefreshWritesOnlyTheCellsWhoseTextChanged) {
    Open(L"/nosaveload /PingEvery 0");
    UseFakeEcho(false);
    Load(L"127.0.6.1-127.0.6.3");
    ASSERT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"1") && window->Cycle().WaitingForNextRound; }, 5000));
    WriteCounter counter(List());
    Command(IDM_REFRESH);
    EXPECT_EQ(WriteCounter::texts, 0) << "nothing changed since the last refresh";
    EXPECT_EQ(WriteCounter::items, 0);

    // A second round with the same replies changes only the succeeded counts.
    Command(IDM_STOPPING);
    Command(IDM_STARTPING);
    ASSERT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"2"); }, 5000));
    EXPECT_EQ(WriteCounter::texts, 3);
    EXPECT_EQ(WriteCounter::items, 0) << "the icons stay";
}

TEST_F(MainWindowTest, ResetClearsTheStatisticsAndKeepsTheAddresses) {
    Open(L"/nosaveload /PingEvery 0");
    Load(L"127.0.0.1-127.0.0.2");
    ASSERT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"1"); }, 20000));
    Command(IDM_RESET);
    EXPECT_TRUE(AllCellsRead(3, L"0"));
    EXPECT_TRUE(AllCellsRead(5, L""));
    EXPECT_EQ(Cell(0, 2), L"127.0.0.1") << "the reply address stays";
    EXPECT_EQ(Image(0), 0);
}

TEST_F(MainWindowTest, MarkFailedPingsColoursRowsThatDidNotSucceed) {
    Open();
    Build(L"127.0.0.1");
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr.hwndFrom = List();
    draw.nmcd.hdr.idFrom = IDC_LISTVIEW;
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.nmcd.lItemlParam = 0;
    draw.clrText = RGB(1, 2, 3);
    draw.clrTextBk = RGB(4, 5, 6);
    auto send = [&] { return ::SendMessageW(window->Window(), WM_NOTIFY, IDC_LISTVIEW, reinterpret_cast<LPARAM>(&draw)); };
    EXPECT_EQ(send(), CDRF_NEWFONT);
    EXPECT_EQ(draw.clrTextBk, RGB(4, 5, 6)) << "off: default colours";
    Command(IDM_MARKFAILED);
    EXPECT_EQ(send(), CDRF_NEWFONT);
    EXPECT_EQ(draw.clrTextBk, RGB(255, 240, 240));
    EXPECT_EQ(draw.clrText, RGB(0, 0, 0));
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(send(), CDRF_NOTIFYITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    EXPECT_EQ(send(), CDRF_NOTIFYSUBITEMDRAW);
}

// A drop of several files loads the first one only.
TEST_F(MainWindowTest, DroppedFilesLoadTheFirstAndStartPinging) {
    Open();
    UseFakeEcho(false);
    const std::wstring folder = testing_es::CreateTempFolder(L"drp");
    const std::wstring first = folder + L"\\first.txt", second = folder + L"\\second.txt";
    testing_es::WriteFileBytes(first, "127.0.2.1\r\n127.0.2.2\r\n");
    testing_es::WriteFileBytes(second, "127.0.3.1\r\n127.0.3.2\r\n127.0.3.3\r\n");
    const std::wstring names = first + L'\0' + second + L'\0' + L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SendMessageW(window->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(1, 0), L"127.0.2.2");
    EXPECT_TRUE(window->Cycle().PingingActive);

    window->LoadAddressFile(folder + L"\\missing.txt");
    EXPECT_EQ(Rows(), 2) << "a file that cannot be opened changes nothing";
    EXPECT_TRUE(window->Cycle().PingingActive);
    ::DeleteFileW(first.c_str());
    ::DeleteFileW(second.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(MainWindowTest, LoadAddressesFromFileReadsTheChosenFile) {
    Open();
    UseFakeEcho(false);
    const std::wstring folder = testing_es::CreateTempFolder(L"opn");
    const std::wstring file = folder + L"\\hosts.txt";
    testing_es::WriteFileBytes(file, testing_es::Utf16Bytes(L"127.0.5.1\r\n127.0.5.2\r\n127.0.5.3"));
    std::wstring title;
    testing_es::DialogAutomation open([&](HWND dialog) {
        wchar_t caption[100] = L"";
        ::GetWindowTextW(dialog, caption, 100);
        title = caption;
        ::SetDlgItemTextW(dialog, 0x47C, file.c_str());
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
    Command(IDM_LOADADDRESSFILE);
    ASSERT_FALSE(open.TimedOut());
    EXPECT_EQ(title, L"載入選取的位址檔案");
    EXPECT_EQ(Rows(), 3) << "UTF-16 without a byte-order mark";
    EXPECT_EQ(window->Settings().addressList, L"127.0.5.1\r\n127.0.5.2\r\n127.0.5.3");
    EXPECT_TRUE(window->Cycle().PingingActive);
    ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(MainWindowTest, StartUpLoadsTheFileNamedByLoadfileInsteadOfOpeningPingOptions) {
    const std::wstring folder = testing_es::CreateTempFolder(L"ldf");
    const std::wstring file = folder + L"\\list.txt";
    testing_es::WriteFileBytes(file, "\xFF\xFE" + testing_es::Utf16Bytes(L"127.0.4.1 one\r\n127.0.4.2 two\r\n"));
    const std::wstring arguments = L"/nosaveload /IPHostDescFormat 1 /loadfile \"" + file + L"\"";
    Open(arguments.c_str());
    UseFakeEcho(false);
    ::SendMessageW(window->Window(), UM_STARTUP, 0, 0);
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(1, 9), L"two");
    EXPECT_TRUE(window->Cycle().PingingActive);
    ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(MainWindowTest, StartUpWithoutLoadfileOpensPingOptions) {
    Open();
    testing_es::DialogAutomation cancel([](HWND dialog) {
        testing_es::ClickButton(dialog, IDCANCEL);
        return true;
    });
    ::SendMessageW(window->Window(), UM_STARTUP, 0, 0);
    EXPECT_TRUE(cancel.Done());
    EXPECT_EQ(cancel.Caption(), L"Ping 選項");
    EXPECT_EQ(Rows(), 0);
}

TEST_F(MainWindowTest, SaveSelectedItemsWritesTheSelectedRowsInTheFormatOfTheChosenFilter) {
    Open();
    Build(L"127.0.0.1-127.0.0.4");
    ClickHeader(1);
    ClickHeader(1);  // descending: .4 .3 .2 .1
    SelectRows({0, 2});
    const std::wstring folder = testing_es::CreateTempFolder(L"sav");
    for (int format = 1; format <= 7; ++format) {
        SCOPED_TRACE(format);
        const std::wstring path = folder + L"\\rows" + std::to_wstring(format) + L".out";
        window->Settings().SaveFilterIndex = format;
        std::wstring title;
        testing_es::DialogAutomation save([&](HWND dialog) {
            wchar_t caption[100] = L"";
            ::GetWindowTextW(dialog, caption, 100);
            title = caption;
            ::SetDlgItemTextW(dialog, 0x47C, path.c_str());  // the file name box
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return true;
        });
        Command(IDM_SAVESELECTED);
        ASSERT_FALSE(save.TimedOut());
        EXPECT_EQ(title, L"選取一個檔名存盤");
        EXPECT_EQ(window->Settings().SaveFilterIndex, format);
        const std::string bytes = testing_es::ReadFileBytes(path);
        ASSERT_NE(bytes, "<missing>");
        if (format == 2) {
            EXPECT_EQ(bytes, "\xFF\xFE" + testing_es::Utf16Bytes(L"127.0.0.4\t127.0.0.4\t\t0\t0\t\t\t\t\t\t\r\n"
                                                                   L"127.0.0.2\t127.0.0.2\t\t0\t0\t\t\t\t\t\t\r\n"));
        } else if (format == 4) {
            EXPECT_EQ(bytes, "127.0.0.4,127.0.0.4,,0,0,,,,,\r\n127.0.0.2,127.0.0.2,,0,0,,,,,\r\n");
        } else {
            EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
            const std::string four = testing_es::Utf16Bytes(L"127.0.0.4"), two = testing_es::Utf16Bytes(L"127.0.0.2");
            const std::string three = testing_es::Utf16Bytes(L"127.0.0.3");
            EXPECT_NE(bytes.find(four), std::string::npos);
            EXPECT_LT(bytes.find(four), bytes.find(two)) << "rows in the order shown";
            EXPECT_EQ(bytes.find(three), std::string::npos) << "only the selected rows";
        }
        ::DeleteFileW(path.c_str());
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace es
