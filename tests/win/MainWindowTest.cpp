// The main window created in this process and driven through its messages: layout, command
// states, sorting, the status bar, refreshes that write only what changed, Reset, Mark Failed
// colours, and rows loaded and saved through files and dialogs.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "app/MainWindow.h"
#include "common/WinFiles.h"
#include "lang/ResourceTexts.h"
#include "ping/FakeEcho.h"
#include "resources/ResourceIds.h"
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
    // A window whose echoes are answered by a script, held until released when asked.
    void Open(const wchar_t* arguments = L"/nosaveload", bool held = false) {
        commandLine.Parse(arguments);
        window = std::make_unique<MainWindow>(commandLine);
        ASSERT_TRUE(window->Create(::GetModuleHandleW(nullptr)));
        echo->held = held;
        window->Items().Engine().SetPlatformFactory([this] { return testing_es::MakeFakePlatform(echo); });
        ::ShowWindow(window->Window(), SW_SHOW);
        PumpFor(0);
    }
    // Rows from the list; pinging starts at once when asked.
    void Build(const wchar_t* addresses, bool ping = false) {
        window->Settings().addressList = addresses;
        ping ? window->RestartPinging() : window->RebuildRows();
        PumpFor(0);
    }
    void Command(int id) {
        ::SendMessageW(window->Window(), WM_COMMAND, id, 0);
        PumpFor(0);
    }
    HWND List() const { return window->ListView(); }
    int Rows() const { return static_cast<int>(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::wstring Cell(int row, int column) const {
        wchar_t text[300] = L"";
        LVITEMW item = {0, 0, column, 0, 0, text, 300};
        ::SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    std::vector<std::wstring> Column(int column) const {
        std::vector<std::wstring> texts;
        for (int row = 0; row < Rows(); ++row) texts.push_back(Cell(row, column));
        return texts;
    }
    bool AllCellsRead(int column, const std::wstring& text) const {
        return Rows() > 0 && Column(column) == std::vector<std::wstring>(static_cast<std::size_t>(Rows()), text);
    }
    int Image(int row) const {
        LVITEMW item = {LVIF_IMAGE, row};
        ::SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    int HeaderImage(int column) const {
        HWND header = reinterpret_cast<HWND>(::SendMessageW(List(), LVM_GETHEADER, 0, 0));
        HDITEMW item = {HDI_FORMAT | HDI_IMAGE};
        ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
    }
    std::wstring StatusText() const {
        wchar_t text[300] = L"";
        ::SendMessageW(window->StatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool Enabled(int id, HMENU menu = nullptr) const {
        UINT state = ::GetMenuState(menu ? menu : window->MainMenu(), static_cast<UINT>(id), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & MF_GRAYED);
    }
    bool Checked(int id) const { return ::GetMenuState(window->MainMenu(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED; }
    bool ButtonEnabled(int id) const {
        return ::SendMessageW(window->Toolbar(), TB_GETSTATE, static_cast<WPARAM>(id), 0) & TBSTATE_ENABLED;
    }
    void SelectRows(std::initializer_list<int> rows) {
        window->View().SetRowState(-1, 0, LVIS_SELECTED);
        for (int row : rows) window->View().SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
        PumpFor(0);
    }
    void ClickHeader(int column) {
        NMLISTVIEW click = {{List(), IDC_LISTVIEW, static_cast<UINT>(LVN_COLUMNCLICK)}, -1, column};
        ::SendMessageW(window->Window(), WM_NOTIFY, IDC_LISTVIEW, reinterpret_cast<LPARAM>(&click));
    }
    // Answers the next dialog of this thread: types the file name or addresses, then presses id.
    static testing_es::DialogAutomation Answer(int control, std::wstring text, int button) {
        return testing_es::DialogAutomation([=](HWND dialog) {
            if (control) ::SetDlgItemTextW(dialog, control, text.c_str());
            ::PostMessageW(dialog, WM_COMMAND, button, 0);
            return true;
        });
    }
    static constexpr int kFileNameBox = 0x47C;

    ResourceTexts texts;
    CommandLine commandLine;
    std::unique_ptr<MainWindow> window;
    std::shared_ptr<testing_es::FakeEcho::Shared> echo = std::make_shared<testing_es::FakeEcho::Shared>();
};

TEST_F(MainWindowTest, ToolbarColumnsStatusBarAndLayout) {
    Open();
    // The toolbar of the documented order: separator, options, start, stop, separator, save,
    // copy, properties, find, exit; tips are the menu texts of their commands.
    const int commands[] = {0, IDM_PINGOPTIONS, IDM_STARTPING, IDM_STOPPING, 0, IDM_SAVESELECTED,
                            IDM_COPYSELECTED, IDM_PROPERTIES, IDM_FIND, IDM_EXIT};
    const int images[] = {0, 6, 7, 5, 0, 1, 2, 3, 0, 4};
    ASSERT_EQ(::SendMessageW(window->Toolbar(), TB_BUTTONCOUNT, 0, 0), 10);
    for (int i = 0; i < 10; ++i) {
        TBBUTTON button = {};
        ::SendMessageW(window->Toolbar(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, commands[i] == 0) << i;
        if (commands[i] == 0) continue;
        EXPECT_EQ(std::pair(button.idCommand, button.iBitmap), std::pair(commands[i], images[i])) << i;
    }
    NMTTDISPINFOW tip = {{window->Toolbar(), IDM_STARTPING, TTN_GETDISPINFOW}};
    ::SendMessageW(window->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_STREQ(tip.szText, L"開始 Ping\tF7");
    int parts[3] = {};
    ASSERT_EQ(::SendMessageW(window->StatusBar(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(std::pair(parts[0], parts[1]), std::pair(300, 1024));
    EXPECT_TRUE(HIWORD(::SendMessageW(window->StatusBar(), SB_GETTEXTLENGTHW, 1, 0)) & SBT_OWNERDRAW);

    ::SetWindowPos(window->Window(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, toolbar, status, list;
    ::GetClientRect(window->Window(), &client);
    ::GetWindowRect(window->Toolbar(), &toolbar);
    ::GetWindowRect(window->StatusBar(), &status);
    ::GetWindowRect(List(), &list);
    ::MapWindowPoints(nullptr, window->Window(), reinterpret_cast<POINT*>(&list), 2);
    // The list fills the space between the bars, each given one pixel more than its height.
    const int top = toolbar.bottom - toolbar.top + 1, bottom = client.bottom - (status.bottom - status.top + 1);
    EXPECT_EQ(std::vector<long>({list.left, list.top, list.right, list.bottom}),
              std::vector<long>({0, top, client.right, bottom}));
}

TEST_F(MainWindowTest, CommandStatesFollowTheRowsTheSelectionAndPinging) {
    Open(L"/nosaveload", true);
    const auto expect = [&](const char* when, std::initializer_list<std::pair<int, bool>> states, HMENU menu = nullptr) {
        for (auto [id, enabled] : states) EXPECT_EQ(Enabled(id, menu), enabled) << when << ": " << id;
    };
    expect("no rows", {{IDM_FIND, false}, {IDM_STARTPING, false}, {IDM_STOPPING, false}, {IDM_RESET, false}, {IDM_HTMLREPORTALL, false},
                       {IDM_AUTOSIZECOLUMNS, false}, {IDM_SAVESELECTED, false}, {IDM_PINGOPTIONS, true}});
    EXPECT_FALSE(ButtonEnabled(IDM_STARTPING));
    EXPECT_TRUE(ButtonEnabled(IDM_PINGOPTIONS));

    Build(L"127.0.0.1-127.0.0.3", true);
    SelectRows({1});
    expect("one selected while pinging", {{IDM_SAVESELECTED, true}, {IDM_HTMLREPORTSELECTED, true}, {IDM_STOPPING, true},
                                          {IDM_STARTPING, false}, {IDM_RESET, true}, {IDM_AUTOSIZECOLUMNS, true},
                                          {IDM_PROPERTIES, true}, {IDM_COPYSELECTED, true}});
    EXPECT_TRUE(ButtonEnabled(IDM_STOPPING));
    EXPECT_TRUE(ButtonEnabled(IDM_SAVESELECTED));
    EXPECT_TRUE(ButtonEnabled(IDM_PROPERTIES));
    ::SendMessageW(window->Window(), WM_COMMAND, MAKEWPARAM(IDM_STARTPING, 1), 0);  // F7 while grayed
    PumpFor(50);
    EXPECT_EQ(echo->SentCount(), 3u) << "a grayed command does nothing, also from its key";

    SelectRows({});
    Command(IDM_STOPPING);
    expect("stopped, none selected", {{IDM_STOPPING, false}, {IDM_STARTPING, true}, {IDM_SAVESELECTED, false},
                                      {IDM_HTMLREPORTALL, true}});
    EXPECT_TRUE(ButtonEnabled(IDM_STARTPING));
    HMENU popup = ::GetSubMenu(window->ContextMenu(), 0);
    SelectRows({0, 1});
    window->UpdateCommandStates(popup);
    expect("context menu", {{IDM_SAVESELECTED, true}, {IDM_HTMLREPORTSELECTED, true}, {IDM_PROPERTIES, false}}, popup);
    echo->Hold(false);
}

TEST_F(MainWindowTest, OptionCommandsFlipTheirSettingCheckMarkAndEffect) {
    Open(L"/nosaveload /AlwaysOnTop 1");
    const auto styles = [&] { return ::SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); };
    EXPECT_TRUE(Checked(IDM_ALWAYSONTOP)) << "set from the command line";
    EXPECT_TRUE(::GetWindowLongPtrW(window->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Command(IDM_ALWAYSONTOP);
    EXPECT_FALSE(::GetWindowLongPtrW(window->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(styles() & (LVS_EX_GRIDLINES | LVS_EX_INFOTIP), LVS_EX_INFOTIP);
    Command(IDM_SHOWGRIDLINES);
    Command(IDM_SHOWTOOLTIPS);
    EXPECT_EQ(styles() & (LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_FULLROWSELECT), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(Checked(IDM_SHOWGRIDLINES));
    EXPECT_FALSE(Checked(IDM_SHOWTOOLTIPS));
    EXPECT_EQ(window->Settings().ShowGridLines, 1);
    EXPECT_EQ(window->Settings().ShowInfoTip, 0);
}

TEST_F(MainWindowTest, StatusBarCountsAndHeaderSorting) {
    Open();
    Build(L"127.0.0.1-127.0.0.12");
    EXPECT_EQ(Cell(0, 0), L"127.0.0.1");
    EXPECT_EQ(Cell(1, 0), L"127.0.0.10") << "sorted by host text";
    EXPECT_EQ(HeaderImage(0), 0);
    SelectRows({2, 4, 6});
    EXPECT_EQ(StatusText(), L"共 12 項\", 已選取 3 個\"");

    ClickHeader(1);
    std::vector<std::wstring> byAddress;
    for (int i = 1; i <= 12; ++i) byAddress.push_back(L"127.0.0." + std::to_wstring(i));
    EXPECT_EQ(Column(1), byAddress);
    EXPECT_EQ(std::pair(HeaderImage(0), HeaderImage(1)), std::pair(-1, 0));
    ClickHeader(1);
    EXPECT_EQ(Column(1), std::vector<std::wstring>(byAddress.rbegin(), byAddress.rend()));
    EXPECT_EQ(HeaderImage(1), 1);
    EXPECT_EQ(window->Items().SavedSortKey(), 1 + 4096);

    Build(L"127.0.0.1-127.0.19.136");  // 5,000 rows: one status update for Select All
    int updates = 0;
    Command(IDM_DESELECTALL);
    ::SendMessageW(window->Window(), WM_COMMAND, IDM_SELECTALL, 0);
    PumpUntil({}, 50, [&](const MSG& msg) { updates += msg.message == UM_UPDATESTATUS; });
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(StatusText(), L"共 5000 項\", 已選取 5000 個\"");
    // Many selected rows: every one still selected after a sort, and no other.
    auto even = [](const std::wstring& address) { return (address.back() - L'0') % 2 == 0; };
    window->View().SetRowState(-1, 0, LVIS_SELECTED);
    for (int row = 0; row < Rows(); ++row)
        if (even(Cell(row, 1))) window->View().SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
    const LRESULT count = ::SendMessageW(List(), LVM_GETSELECTEDCOUNT, 0, 0);
    ASSERT_GT(count, 400);
    ClickHeader(1);
    EXPECT_EQ(::SendMessageW(List(), LVM_GETSELECTEDCOUNT, 0, 0), count);
    int wrong = 0;
    for (int row = 0; row < Rows(); ++row)
        wrong += even(Cell(row, 1)) != ((::SendMessageW(List(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0);
    EXPECT_EQ(wrong, 0);
}

TEST_F(MainWindowTest, RefreshesRepaintOnlyChangedRowsAndResetKeepsTheAddresses) {
    Open(L"/nosaveload /PingEvery 0");
    Build(L"127.0.6.1-127.0.6.3", true);
    ASSERT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"1") && window->Cycle().WaitingForNextRound; }, 5000));
    EXPECT_EQ(Cell(0, 5), L"成功");
    EXPECT_EQ(Image(0), 1);
    const std::size_t repainted = window->View().RepaintedRows();
    for (int i = 0; i < 5; ++i) window->OnTimerTick();
    EXPECT_EQ(window->View().RepaintedRows(), repainted) << "nothing arrived, nothing repainted";
    Command(IDM_STOPPING);
    Command(IDM_STARTPING);
    ASSERT_TRUE(PumpUntil([&] { return AllCellsRead(3, L"2"); }, 5000));  // the rows read live
    window->OnTimerTick();
    EXPECT_EQ(window->View().RepaintedRows(), repainted + 3) << "the three changed rows on screen";
    Command(IDM_RESET);
    EXPECT_TRUE(AllCellsRead(3, L"0"));
    EXPECT_TRUE(AllCellsRead(5, L""));
    EXPECT_EQ(Cell(0, 2), L"127.0.6.1") << "the reply address stays";
    EXPECT_EQ(Image(0), 0);
}

TEST_F(MainWindowTest, MarkFailedPingsColoursRowsThatDidNotSucceed) {
    Open();
    Build(L"127.0.0.1");
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr = {List(), IDC_LISTVIEW, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.clrTextBk = RGB(4, 5, 6);
    const auto send = [&] { return ::SendMessageW(window->Window(), WM_NOTIFY, IDC_LISTVIEW, reinterpret_cast<LPARAM>(&draw)); };
    EXPECT_EQ(send(), CDRF_NEWFONT);
    EXPECT_EQ(draw.clrTextBk, RGB(4, 5, 6)) << "off: default colours";
    Command(IDM_MARKFAILED);
    EXPECT_EQ(send(), CDRF_NEWFONT);
    EXPECT_EQ(std::pair(draw.clrText, draw.clrTextBk), std::pair(RGB(0, 0, 0), RGB(255, 240, 240)));
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(send(), CDRF_NOTIFYITEMDRAW);
}

TEST_F(MainWindowTest, AddressFilesLoadFromADropAndTheOpenDialog) {
    const std::wstring folder = testing_es::CreateTempFolder(L"ld");
    const std::wstring first = folder + L"\\first.txt", second = folder + L"\\second.txt";
    testing_es::WriteFileBytes(first, "127.0.2.1\r\n127.0.2.2\r\n");
    testing_es::WriteFileBytes(second, testing_es::Utf16Bytes(L"127.0.5.1\r\n127.0.5.2\r\n127.0.5.3"));
    Open();

    // A drop of two files loads the first only.
    const std::wstring names = first + L'\0' + second + L'\0' + L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SendMessageW(window->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"127.0.2.1", L"127.0.2.2"}));
    EXPECT_TRUE(window->Cycle().PingingActive);

    window->LoadAddressFile(folder + L"\\missing.txt");
    EXPECT_EQ(Rows(), 2) << "a file that cannot be opened changes nothing";
    {
        auto open = Answer(kFileNameBox, second, IDOK);
        Command(IDM_LOADADDRESSFILE);
        ASSERT_FALSE(open.TimedOut());
        EXPECT_EQ(open.Caption(), L"載入選取的位址檔案");
    }
    EXPECT_EQ(Rows(), 3) << "UTF-16 without a byte-order mark";
    EXPECT_EQ(window->Settings().addressList, L"127.0.5.1\r\n127.0.5.2\r\n127.0.5.3");
    for (const auto& file : {first, second}) ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

// Sorting moves the rows, never the records: equal keys keep the order they were shown in, and the
// selected records stay selected wherever they land.
TEST_F(MainWindowTest, SortingIsStableAndCarriesTheSelection) {
    Open(L"/nosaveload /IPHostDescFormat 1");
    Build(L"a 1\r\nb 2\r\na 3\r\nb 4");
    EXPECT_EQ(Column(9), (std::vector<std::wstring>{L"1", L"3", L"2", L"4"})) << "by host, ties in storage order";
    ClickHeader(3);  // every count is 0: nothing moves
    EXPECT_EQ(Column(9), (std::vector<std::wstring>{L"1", L"3", L"2", L"4"}));
    SelectRows({1, 3});
    ClickHeader(0);
    ClickHeader(0);  // host, descending
    EXPECT_EQ(Column(9), (std::vector<std::wstring>{L"2", L"4", L"1", L"3"}));
    std::vector<std::wstring> selected;
    for (int row = -1; (row = static_cast<int>(::SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0;)
        selected.push_back(Cell(row, 9));
    EXPECT_EQ(selected, (std::vector<std::wstring>{L"4", L"3"}));
    EXPECT_EQ(StatusText(), L"共 4 項\", 已選取 2 個\"");
}

// Ten label and value pairs in column-index order, hidden columns included; the values keep the
// template's right edge, read in blue on white; the OK button 5 pixels above the bottom.
TEST_F(MainWindowTest, PropertiesShowEveryFieldOfTheOneSelectedRow) {
    Open();
    Build(L"127.0.0.1-127.0.0.3");
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 4, 0);
    std::vector<std::wstring> labels, values;
    std::vector<long> valueRights;
    long okGap = -1;
    COLORREF valueColor = 0;
    testing_es::DialogAutomation look([&](HWND dialog) {
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(child) || ::GetDlgCtrlID(child) == IDOK) continue;
            wchar_t text[300] = L"", kind[16] = L"";
            ::GetWindowTextW(child, text, 300);
            ::GetClassNameW(child, kind, 16);
            RECT rect;
            ::GetWindowRect(child, &rect);
            (_wcsicmp(kind, L"edit") ? labels : values).push_back(text);
            if (!_wcsicmp(kind, L"edit")) valueRights.push_back(rect.right);
        }
        RECT client, ok;
        ::GetClientRect(dialog, &client);
        ::GetWindowRect(::GetDlgItem(dialog, IDOK), &ok);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
        okGap = client.bottom - ok.bottom;
        HDC dc = ::CreateCompatibleDC(nullptr);
        ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_PROP_VALUETEMPLATE)));
        valueColor = ::GetTextColor(dc);
        ::DeleteDC(dc);
        testing_es::ClickButton(dialog, IDOK);
        return true;
    });
    SelectRows({1});
    Command(IDM_PROPERTIES);
    ASSERT_TRUE(look.Done() && !look.TimedOut());
    EXPECT_EQ(look.Caption(), L"屬性");
    ASSERT_EQ(labels.size(), 10u);
    EXPECT_EQ(labels[0], L"主電腦名:");
    EXPECT_EQ(labels[7], L"為上次測試特殊的生存時間:");
    EXPECT_EQ(values, (std::vector<std::wstring>{L"127.0.0.2", L"127.0.0.2", L"", L"0", L"0", L"", L"", L"", L"", L""}));
    EXPECT_EQ(std::count(valueRights.begin(), valueRights.end(), valueRights[0]), 10);
    EXPECT_EQ(okGap, 5);
    EXPECT_EQ(valueColor, RGB(0, 0, 192));
    EXPECT_EQ(::GetFocus(), List());

    SelectRows({0, 2});  // two rows: no dialog, also not from its key
    testing_es::DialogAutomation none([](HWND) { return true; }, 500);
    ::SendMessageW(window->Window(), WM_COMMAND, MAKEWPARAM(IDM_PROPERTIES, 1), 0);
    PumpFor(600);
    EXPECT_TRUE(none.TimedOut());
}

// Through the platform's find dialog: its text box, check boxes, direction and Find Next button.
TEST_F(MainWindowTest, FindNextWrapsMatchesWholeWordsAndCaseAndOpensOnce) {
    Open();
    Build(L"192.168.0.1 192.168.0.10 Alpha alphabet");  // shown in this order
    Command(IDM_FIND);
    HWND find = window->FindDialog();
    ASSERT_NE(find, nullptr);
    Command(IDM_FIND);
    EXPECT_EQ(window->FindDialog(), find) << "one find dialog at a time";
    const struct {
        const wchar_t* text;
        bool wholeWord, matchCase, up;
        int from, found;
    } cases[] = {
        {L"192.168.0.1", true, false, false, 0, 0},  // only the selected row: found on the second pass
        {L"192.168.0.1", false, false, false, 0, 1},
        {L"ALPHA", false, false, false, 1, 2},
        {L"alpha", false, true, false, 1, 3},
        {L"alpha", false, false, true, 0, 3},         // up from the first row wraps to the last
        {L"alphabet", true, false, false, 3, 3},
        {L"nowhere", false, false, false, 2, 2},      // no match: nothing changes
    };
    for (const auto& c : cases) {
        SelectRows({c.from});
        ::SetDlgItemTextW(find, 0x480, c.text);
        ::CheckDlgButton(find, 0x410, c.wholeWord ? BST_CHECKED : BST_UNCHECKED);
        ::CheckDlgButton(find, 0x411, c.matchCase ? BST_CHECKED : BST_UNCHECKED);
        ::CheckRadioButton(find, 0x420, 0x421, c.up ? 0x420 : 0x421);
        testing_es::ClickButton(find, IDOK);
        PumpFor(0);
        std::vector<int> selected;
        for (int row = 0; row < Rows(); ++row)
            if (::SendMessageW(List(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED)) selected.push_back(row);
        EXPECT_EQ(selected, std::vector<int>{c.found}) << (&c - cases);
    }
    ::SendMessageW(find, WM_COMMAND, IDCANCEL, 0);
    PumpFor(0);
    EXPECT_EQ(window->FindDialog(), nullptr);
    EXPECT_EQ(::GetFocus(), List());
}

// Choose Columns acting on the dialog's rows and buttons; the results read back from the list view.
TEST_F(MainWindowTest, ChooseColumnsMovesHidesSizesAndRestoresColumns) {
    Open();
    Build(L"127.0.0.1");
    const auto run = [&](const std::function<void(HWND dialog, HWND rows)>& act, int button) {
        testing_es::DialogAutomation edit([&](HWND dialog) {
            act(dialog, ::GetDlgItem(dialog, IDC_COL_LIST));
            testing_es::ClickButton(dialog, button);
            return true;
        });
        Command(IDM_CHOOSECOLUMNS);
        EXPECT_FALSE(edit.TimedOut());
    };
    const auto select = [](HWND rows, int row) {
        LVITEMW item = {};
        item.state = item.stateMask = LVIS_SELECTED;
        ::SendMessageW(rows, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    };
    const auto layout = [&] {
        std::vector<int> order(10), widths;
        ::SendMessageW(List(), LVM_GETCOLUMNORDERARRAY, 10, reinterpret_cast<LPARAM>(order.data()));
        for (int c = 0; c < 10; ++c) widths.push_back(static_cast<int>(::SendMessageW(List(), LVM_GETCOLUMNWIDTH, c, 0)));
        order.insert(order.end(), widths.begin(), widths.end());
        return order;
    };
    const std::vector<int> defaults = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 150, 110, 110, 90, 90, 120, 100, 100, 100, 120};
    ASSERT_EQ(layout(), defaults);
    std::wstring shownWidth;
    run([&](HWND dialog, HWND rows) {
        select(rows, 1);
        testing_es::ClickButton(dialog, IDC_COL_MOVEUP);  // the IP address first
        select(rows, 2);
        testing_es::ClickButton(dialog, IDC_COL_HIDE);
        select(rows, 3);
        ::SetDlgItemTextW(dialog, IDC_COL_WIDTH, L"0");   // ignored
        ::SetDlgItemTextW(dialog, IDC_COL_WIDTH, L"45");
    }, IDOK);
    EXPECT_EQ(layout(), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 150, 110, 0, 45, 90, 120, 100, 100, 100, 120}));
    const std::vector<int> changed = layout();
    run([&](HWND dialog, HWND rows) {
        select(rows, 0);
        testing_es::ClickButton(dialog, IDC_COL_HIDE);
        testing_es::ClickButton(dialog, IDC_COL_DEFAULT);
    }, IDCANCEL);
    EXPECT_EQ(layout(), changed) << "Cancel changes nothing";
    run([&](HWND dialog, HWND rows) {
        select(rows, 2);  // the hidden column comes back at its default width
        wchar_t text[8] = L"";
        ::GetDlgItemTextW(dialog, IDC_COL_WIDTH, text, 8);
        shownWidth = text;
        testing_es::ClickButton(dialog, IDC_COL_SHOW);
    }, IDOK);
    EXPECT_EQ(shownWidth, L"110");
    EXPECT_EQ(layout()[12], 110);
    run([](HWND dialog, HWND) { testing_es::ClickButton(dialog, IDC_COL_DEFAULT); }, IDOK);
    EXPECT_EQ(layout(), defaults);
}

TEST_F(MainWindowTest, CopyPutsTheSelectedRowsOnTheClipboardAsShown) {
    Open();
    Build(L"127.0.0.1-127.0.0.3");
    // Column 1 shown first, columns 2 and 5 to 9 hidden.
    int order[10] = {1, 0, 2, 3, 4, 5, 6, 7, 8, 9};
    ::SendMessageW(List(), LVM_SETCOLUMNORDERARRAY, 10, reinterpret_cast<LPARAM>(order));
    for (int column : {2, 5, 6, 7, 8, 9}) ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    SelectRows({0, 2});
    ::SendMessageW(window->Window(), WM_COMMAND, MAKEWPARAM(IDM_COPYSELECTED, 1), 0);  // Ctrl+C
    ASSERT_TRUE(::OpenClipboard(window->Window()));
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
    const std::wstring copied = text ? text : L"<none>";
    ::CloseClipboard();
    EXPECT_EQ(copied, L"127.0.0.1\t127.0.0.1\t0\t0\t\r\n127.0.0.3\t127.0.0.3\t0\t0\t\r\n");
}

TEST_F(MainWindowTest, SaveSelectedItemsWritesTheSelectedRowsInTheChosenFormat) {
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
        {
            auto save = Answer(kFileNameBox, path, IDOK);
            Command(IDM_SAVESELECTED);
            ASSERT_FALSE(save.TimedOut());
            EXPECT_EQ(save.Caption(), L"選取一個檔名存盤");
        }
        EXPECT_EQ(window->Settings().SaveFilterIndex, format);
        const std::string bytes = testing_es::ReadFileBytes(path);
        if (format == 2) {
            EXPECT_EQ(bytes, "\xFF\xFE" + testing_es::Utf16Bytes(L"127.0.0.4\t127.0.0.4\t\t0\t0\t\t\t\t\t\t\r\n"
                                                                   L"127.0.0.2\t127.0.0.2\t\t0\t0\t\t\t\t\t\t\r\n"));
        } else if (format == 4) {
            EXPECT_EQ(bytes, "127.0.0.4,127.0.0.4,,0,0,,,,,\r\n127.0.0.2,127.0.0.2,,0,0,,,,,\r\n");
        } else {
            const auto at = [&](const wchar_t* text) { return bytes.find(testing_es::Utf16Bytes(text)); };
            EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
            EXPECT_LT(at(L"127.0.0.4"), at(L"127.0.0.2")) << "rows in the order shown";
            EXPECT_EQ(at(L"127.0.0.3"), std::string::npos) << "only the selected rows";
        }
        ::DeleteFileW(path.c_str());
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace es
