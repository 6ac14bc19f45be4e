// The main window created in this process and driven through its messages: layout, command
// states, sorting and the selection, the status bar, refreshes that repaint only what changed,
// Reset, Mark Failed colours, rows loaded through files and dialogs, and the commands that read
// the selected rows.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "app/MainWindow.h"
#include "common/WinFiles.h"
#include "lang/ResourceTexts.h"
#include "ping/FakeEcho.h"
#include "resources/ResourceIds.h"
#include "support/Palette.h"
#include "win/UiDriver.h"

namespace es {
namespace {

using testing_es::PumpFor;
using testing_es::PumpUntil;

class MainWindowTest : public testing::Test {
protected:
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
        ListView_GetItemText(List(), row, column, text, 300);
        return text;
    }
    std::vector<std::wstring> Column(int column) const {
        std::vector<std::wstring> texts;
        for (int row = 0; row < Rows(); ++row) texts.push_back(Cell(row, column));
        return texts;
    }
    // The rows the list view reports selected, walked with its own LVM_GETNEXTITEM.
    std::vector<int> Selected() const {
        std::vector<int> rows;
        for (int row = -1; (row = static_cast<int>(::SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0;)
            rows.push_back(row);
        return rows;
    }
    int ColumnWidth(int column) const {
        return static_cast<int>(::SendMessageW(List(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    }
    int HeaderImage(int column) const {
        HWND header = reinterpret_cast<HWND>(::SendMessageW(List(), LVM_GETHEADER, 0, 0));
        HDITEMW item = {HDI_FORMAT | HDI_IMAGE};
        ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
    }
    std::wstring StatusText() const { return testing_es::TextOf(window->StatusBar()); }
    void SelectRows(std::initializer_list<int> rows) {
        window->View().SetRowState(-1, 0, LVIS_SELECTED);
        for (int row : rows) window->View().SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
        PumpFor(0);
    }
    void ClickHeader(int column) {
        NMLISTVIEW click = {{List(), IDC_LISTVIEW, static_cast<UINT>(LVN_COLUMNCLICK)}, -1, column};
        ::SendMessageW(window->Window(), WM_NOTIFY, IDC_LISTVIEW, reinterpret_cast<LPARAM>(&click));
    }
    // Runs the command and answers the file dialog it opens: types the file name, then presses OK.
    void CommandWithFile(int id, const std::wstring& fileName) {
        testing_es::DialogAutomation answer([&](HWND dialog) {
            ::SetDlgItemTextW(dialog, 0x47C, fileName.c_str());
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return true;
        });
        Command(id);
        EXPECT_FALSE(answer.TimedOut()) << "the file dialog was left open";
    }

    ResourceTexts texts;
    CommandLine commandLine;
    std::unique_ptr<MainWindow> window;
    std::shared_ptr<testing_es::FakeEcho::Shared> echo = std::make_shared<testing_es::FakeEcho::Shared>();
};

TEST_F(MainWindowTest, StatusBarToolTipsAndCommandStatesFollowingTheRowsTheSelectionAndPinging) {
    Open(L"/nosaveload", true);
    NMTTDISPINFOW tip = {{window->Toolbar(), IDM_STARTPING, TTN_GETDISPINFOW}};
    ::SendMessageW(window->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_STREQ(tip.szText, L"開始 Ping\tF7") << "a tip is the menu text of its command";
    // The main menu's states, and the toolbar button's where the command has one.
    const auto expect = [&](const char* when, std::initializer_list<std::pair<int, bool>> states, HMENU menu = nullptr) {
        for (auto [id, enabled] : states) {
            const UINT state = ::GetMenuState(menu ? menu : window->MainMenu(), static_cast<UINT>(id), MF_BYCOMMAND);
            EXPECT_EQ(state != static_cast<UINT>(-1) && !(state & MF_GRAYED), enabled) << when << ": " << id;
            if (!menu && ::SendMessageW(window->Toolbar(), TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0) >= 0) {
                const LRESULT button = ::SendMessageW(window->Toolbar(), TB_GETSTATE, static_cast<WPARAM>(id), 0);
                EXPECT_EQ((button & TBSTATE_ENABLED) != 0, enabled) << when << ": button " << id;
            }
        }
    };
    expect("no rows", {{IDM_FIND, false}, {IDM_STARTPING, false}, {IDM_STOPPING, false}, {IDM_RESET, false},
                       {IDM_HTMLREPORTALL, false}, {IDM_SAVESELECTED, false}, {IDM_PINGOPTIONS, true}});

    Build(L"127.0.0.1-127.0.0.3", true);
    SelectRows({1});
    expect("one selected while pinging", {{IDM_SAVESELECTED, true}, {IDM_STOPPING, true}, {IDM_STARTPING, false},
                                          {IDM_RESET, true}, {IDM_PROPERTIES, true}, {IDM_COPYSELECTED, true}});
    ::SendMessageW(window->Window(), WM_COMMAND, MAKEWPARAM(IDM_STARTPING, 1), 0);  // F7 while grayed
    PumpFor(50);
    EXPECT_EQ(echo->Read(echo->sent).size(), 3u) << "a grayed command does nothing, also from its key";

    SelectRows({});
    Command(IDM_STOPPING);
    expect("stopped, none selected", {{IDM_STOPPING, false}, {IDM_STARTPING, true}, {IDM_SAVESELECTED, false}});
    HMENU popup = ::GetSubMenu(window->ContextMenu(), 0);
    SelectRows({0, 1});
    window->UpdateCommandStates(popup);
    expect("context menu", {{IDM_HTMLREPORTSELECTED, true}, {IDM_PROPERTIES, false}}, popup);
    echo->Hold(false);
}

// Sorting moves the rows, never the records: equal keys keep the order they were shown in, the
// selected records stay selected wherever they land, and View -> Sort By checks the column.
TEST_F(MainWindowTest, HeaderSortingIsStableCarriesTheSelectionAndIsCheckedInSortBy) {
    Open(L"/nosaveload /IPHostDescFormat 1");
    Build(L"a 1\r\nb 2\r\nA 3\r\nb 4");
    EXPECT_EQ(Column(9), (std::vector<std::wstring>{L"1", L"3", L"2", L"4"})) << "by host without case, ties in storage order";
    EXPECT_EQ(HeaderImage(0), 0);
    ClickHeader(3);  // every count is 0: nothing moves
    EXPECT_EQ(Column(9), (std::vector<std::wstring>{L"1", L"3", L"2", L"4"}));
    EXPECT_EQ(std::pair(HeaderImage(0), HeaderImage(3)), std::pair(-1, 0));
    SelectRows({1, 3});
    ::SendMessageW(List(), LVM_SETSELECTIONMARK, 0, 3);  // Shift+click ranges start at the record shown as 4
    ClickHeader(0);
    ClickHeader(0);  // host, descending
    EXPECT_EQ(Column(9), (std::vector<std::wstring>{L"2", L"4", L"1", L"3"}));
    EXPECT_EQ(HeaderImage(0), 1);
    EXPECT_EQ(window->Items().SavedSortKey(), 4096);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 3})) << "the records shown as 3 and 4";
    EXPECT_EQ(::SendMessageW(List(), LVM_GETSELECTIONMARK, 0, 0), 1) << "the anchor moved with its record";
    EXPECT_EQ(StatusText(), L"共 4 項\", 已選取 2 個\"");

    window->Settings().IPHostDescFormat = 0;
    Build(L"127.0.0.1-127.0.19.136");  // 5,000 rows: one status update for Select All
    int updates = 0;
    Command(IDM_DESELECTALL);
    ::SendMessageW(window->Window(), WM_COMMAND, IDM_SELECTALL, 0);
    PumpUntil({}, 50, [&](const MSG& msg) { updates += msg.message == UM_UPDATESTATUS; });
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(StatusText(), L"共 5000 項\", 已選取 5000 個\"");
    // Many selected rows: every one still selected after a sort by address, and no other.
    auto even = [](const std::wstring& address) { return (address.back() - L'0') % 2 == 0; };
    window->View().SetRowState(-1, 0, LVIS_SELECTED);
    for (int row = 0; row < Rows(); ++row)
        if (even(Cell(row, 1))) window->View().SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
    const std::size_t count = Selected().size();
    ASSERT_GT(count, 400u);
    ClickHeader(1);
    const std::vector<int> selected = Selected();
    EXPECT_EQ(selected.size(), count);
    EXPECT_EQ(std::count_if(selected.begin(), selected.end(), [&](int row) { return !even(Cell(row, 1)); }), 0);

    // View -> Sort By, made when View opens: the visible columns in the order shown, with access
    // keys of their own, the one sorted by checked.
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 2, 0);
    std::vector<int> order(19);
    ::SendMessageW(List(), LVM_GETCOLUMNORDERARRAY, 19, reinterpret_cast<LPARAM>(order.data()));
    std::swap(order[0], order[1]);
    ::SendMessageW(List(), LVM_SETCOLUMNORDERARRAY, 19, reinterpret_cast<LPARAM>(order.data()));
    HMENU view = ::GetSubMenu(window->MainMenu(), 2);
    ::SendMessageW(window->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
    HMENU sortBy = ::GetSubMenu(view, 10);
    std::vector<std::wstring> items;
    for (int i = 0; i < ::GetMenuItemCount(sortBy); ++i) {
        wchar_t text[100] = L"";
        ::GetMenuStringW(sortBy, static_cast<UINT>(i), text, 100, MF_BYPOSITION);
        const bool checked = ::GetMenuState(sortBy, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED;
        items.push_back(std::to_wstring(::GetMenuItemID(sortBy, i) - IDM_SORTBYBASE) + L" " + text + (checked ? L" *" : L""));
    }
    EXPECT_EQ(items, (std::vector<std::wstring>{L"1 &IP 位址 *", L"0 主電腦名(&A)", L"3 成功計數(&B)", L"4 失敗計數(&C)",
                                                L"5 上次測試狀態(&D)", L"6 上次響應時間(&E)", L"7 為上次測試特殊的生存時間(&F)",
                                                L"8 平均響應時間(&G)", L"9 描述(&H)"}));
}

TEST_F(MainWindowTest, RefreshesRepaintOnlyChangedRowsResetKeepsTheAddressesAndFailedRowsAreMarked) {
    Open(L"/nosaveload /PingEvery 0");
    Build(L"127.0.6.1-127.0.6.3", true);
    const auto each = [](const wchar_t* text) { return std::vector<std::wstring>(3, text); };
    ASSERT_TRUE(PumpUntil([&] { return Column(3) == each(L"1") && window->Cycle().WaitingForNextRound; }, 5000));
    const std::size_t repainted = window->View().RepaintedRows();
    for (int i = 0; i < 5; ++i) window->OnTimerTick();
    EXPECT_EQ(window->View().RepaintedRows(), repainted) << "nothing arrived, nothing repainted";
    Command(IDM_STOPPING);
    Command(IDM_STARTPING);
    ASSERT_TRUE(PumpUntil([&] { return Column(3) == each(L"2"); }, 5000));  // the rows read live
    window->OnTimerTick();
    EXPECT_EQ(window->View().RepaintedRows(), repainted + 3) << "the three changed rows on screen";
    Command(IDM_RESET);
    EXPECT_EQ(Column(3), each(L"0"));
    EXPECT_EQ(Column(5), each(L""));
    EXPECT_EQ(Cell(0, 2), L"127.0.6.1") << "the reply address stays";

    // Mark Failed Pings: an option command flips the setting, its check mark and the colours of
    // rows whose last ping did not succeed.
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr = {List(), IDC_LISTVIEW, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.clrTextBk = RGB(4, 5, 6);
    const auto send = [&] { return ::SendMessageW(window->Window(), WM_NOTIFY, IDC_LISTVIEW, reinterpret_cast<LPARAM>(&draw)); };
    EXPECT_EQ(send(), CDRF_NEWFONT);
    EXPECT_EQ(draw.clrTextBk, RGB(4, 5, 6)) << "off: default colours";
    Command(IDM_MARKFAILED);
    EXPECT_TRUE(::GetMenuState(window->MainMenu(), IDM_MARKFAILED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(send(), CDRF_NEWFONT);
    EXPECT_EQ(std::pair(draw.clrText, draw.clrTextBk), std::pair(RGB(0, 0, 0), RGB(255, 240, 240)));

    // Options > Theme, a radio group: Dark gives an unselected failed row its dark red, Light the
    // colours it had.
    const auto radio = [&](int id) { return ::GetMenuState(window->MainMenu(), id, MF_BYCOMMAND) & (MF_CHECKED | MFT_RADIOCHECK); };
    const struct {
        int command;
        COLORREF text, background;
    } themes[] = {{IDM_THEMEDARK, DarkPalette().failedRow.text, DarkPalette().failedRow.background},
                  {IDM_THEMELIGHT, RGB(0, 0, 0), RGB(255, 240, 240)}};
    draw.nmcd.dwItemSpec = 1;
    for (const auto& theme : themes) {
        SCOPED_TRACE(theme.command);
        Command(theme.command);
        for (int id : {IDM_THEMESYSTEM, IDM_THEMELIGHT, IDM_THEMEDARK})
            EXPECT_EQ(radio(id) & MF_CHECKED, id == theme.command ? UINT{MF_CHECKED} : 0u) << id;
        EXPECT_EQ(radio(theme.command), UINT{MF_CHECKED | MFT_RADIOCHECK});
        EXPECT_EQ(send(), CDRF_NEWFONT);
        EXPECT_EQ(draw.clrText, theme.text);
        EXPECT_EQ(draw.clrTextBk, theme.background);
    }
}

// The list holds no texts of its own: sizing a column and typing a row's first letters are
// answered from the records, rows scrolled out of view included.
// The state-change log beside the executable, here with a folder in its place: the failure is told
// in the status bar once, not again until a write succeeds, and the kept lines come with the next.
TEST_F(MainWindowTest, AStateLogThatCannotBeWrittenIsToldOnceAndKeptForTheNextWrite) {
    const std::wstring log = StateLogPath();
    ASSERT_TRUE(::CreateDirectoryW(log.c_str(), nullptr));
    Open(L"/nosaveload /PingEvery 0 /LogStateChanges 1 /DownAfterFailures 1 /NotifyOnChange 0 /FlashWhenDown 0", true);
    Build(L"10.0.0.1", true);  // the round takes the thresholds; its echo is held, never answered
    const auto result = [&](std::int32_t status) {
        window->Items().ApplyResult({0, window->Items().Row(0).RowId, status, 0x0100000A, 0x0100000A, 64, 1});
        window->OnTimerTick();
    };
    result(kStatusSuccess);  // up: the first state, not logged
    result(10);
    EXPECT_EQ(StatusText().rfind(L"無法寫入狀態變更記錄: ", 0), 0u) << StatusText();
    ::SendMessageW(window->StatusBar(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"-"));
    result(kStatusSuccess);
    EXPECT_EQ(StatusText(), L"-") << "told once";
    ASSERT_TRUE(::RemoveDirectoryW(log.c_str()));
    result(10);
    const std::string written = testing_es::ReadFileBytes(log);
    ::DeleteFileW(log.c_str());
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 4) << written;
    EXPECT_LT(written.find(",down,"), written.find(",up,")) << "the kept lines first, in order";
}

TEST_F(MainWindowTest, AutoSizeFitsEveryRowAndTypingFindsTheRow) {
    Open(L"/nosaveload /PingEvery 0");
    const std::wstring longName = L"a-host-name-long-enough-to-be-cut-at-the-default-width.invalid";
    Build(longName.c_str());
    Command(IDM_AUTOSIZECOLUMNS);
    std::vector<int> fitted;
    for (int c = 0; c < 10; ++c) fitted.push_back(ColumnWidth(c));
    for (int c = 0; c < 9; ++c) {  // the last column would fill the rest of the list
        SCOPED_TRACE(c);
        ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), LVSCW_AUTOSIZE_USEHEADER);
        EXPECT_EQ(fitted[static_cast<std::size_t>(c)], ColumnWidth(c)) << "as the control sizes a row on screen";
    }
    // Shown sorted by host: .1.100 to .1.199, .2.100 to .2.199, then the long name.
    Build((L"127.0.1.100-127.0.1.199 127.0.2.100-127.0.2.199 " + longName).c_str());
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 0, 150);
    Command(IDM_AUTOSIZECOLUMNS);
    EXPECT_EQ(ColumnWidth(0), fitted[0]) << "the long name is the last row, out of view";

    const auto findRow = [&](unsigned flags, const wchar_t* text, int after) {
        LVFINDINFOW find = {flags, text};
        return ::SendMessageW(List(), LVM_FINDITEMW, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(&find));
    };
    EXPECT_EQ(findRow(LVFI_PARTIAL | LVFI_STRING, L"127.0.2.15", 120), 150);
    EXPECT_EQ(findRow(LVFI_PARTIAL | LVFI_STRING, L"127.0.2.15", 170), -1) << "not wrapping";
    EXPECT_EQ(findRow(LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP, L"127.0.2.15", 170), 150);
    EXPECT_EQ(findRow(LVFI_PARTIAL | LVFI_STRING, L"A-HOST", -1), 200) << "without case";
    EXPECT_EQ(findRow(LVFI_STRING, L"A-HOST", -1), -1) << "a whole text must match whole";
    ::SetFocus(List());
    for (wchar_t ch : std::wstring(L"a-h")) ::SendMessageW(List(), WM_CHAR, ch, 1);  // a repeat count of 1, as a key press has
    EXPECT_EQ(Selected(), std::vector<int>{200}) << "typing selects the row";
}

TEST_F(MainWindowTest, AddressFilesLoadFromADropAndTheOpenDialog) {
    const testing_es::TempFolder folder(L"ld");
    // The first dropped path is longer than MAX_PATH; cut to 259 characters it would name another file.
    const std::wstring deep = folder.PathOf(std::wstring(249 - folder.Path().size(), L'd'));
    const std::wstring first = deep + L"\\first-list.txt", second = folder.PathOf(L"second.txt");
    ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr));
    testing_es::WriteFileBytes(first.substr(0, MAX_PATH - 1), "127.0.9.9\r\n");
    testing_es::WriteFileBytes(first, "127.0.2.1\r\n127.0.2.2\r\n");
    testing_es::WriteFileBytes(second, testing_es::Utf16Bytes(L"127.0.5.1\r\n127.0.5.2\r\n127.0.5.3"));
    Open();
    // A drop of two files loads the first only, by its whole path.
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
    window->LoadAddressFile(folder.PathOf(L"missing.txt"));
    EXPECT_EQ(Rows(), 2) << "a file that cannot be opened changes nothing";
    CommandWithFile(IDM_LOADADDRESSFILE, second);
    EXPECT_EQ(window->Settings().addressList, L"127.0.5.1\r\n127.0.5.2\r\n127.0.5.3") << "UTF-16 without a mark";
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
        EXPECT_EQ(Selected(), std::vector<int>{c.found}) << (&c - cases);
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
    const auto select = [](HWND rows, int row) { ListView_SetItemState(rows, row, LVIS_SELECTED, LVIS_SELECTED); };
    const auto layout = [&] {
        std::vector<int> order(19);  // the first ten places, then the widths of the first ten columns
        ::SendMessageW(List(), LVM_GETCOLUMNORDERARRAY, 19, reinterpret_cast<LPARAM>(order.data()));
        order.resize(10);
        for (int c = 0; c < 10; ++c) order.push_back(ColumnWidth(c));
        return order;
    };
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
    std::wstring shownWidth;
    run([&](HWND dialog, HWND rows) {
        select(rows, 2);  // the hidden column comes back at its default width
        shownWidth = testing_es::TextOf(dialog, IDC_COL_WIDTH);
        testing_es::ClickButton(dialog, IDC_COL_SHOW);
        select(rows, 16);  // Status Changed, hidden from the start
        testing_es::ClickButton(dialog, IDC_COL_SHOW);
    }, IDOK);
    EXPECT_EQ(shownWidth, L"110");
    EXPECT_EQ(layout()[12], 110);
    EXPECT_EQ(ColumnWidth(16), 140) << "a statistics column is shown at its own width";
}

// Statistics Columns shows the nine after the last visible column, checked, at their widths; they
// sort like any column; the command hides them again. The sparkline of a row whose results were
// 1 ms, 1,000 ms and a failure, painted into a memory DC: a bar each on the logarithmic scale.
TEST_F(MainWindowTest, StatisticsColumnsShowSortAndHide) {
    Open();
    Build(L"127.0.0.1-127.0.0.3");
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 9, 0);  // the description hidden: the nine follow the TTL
    for (const auto& [row, status, time] : {std::tuple(0, 0, 1), std::tuple(0, 10, 0), std::tuple(1, 0, 1),
                                            std::tuple(1, 0, 1000), std::tuple(1, 10, 0)}) {
        const PingItem& item = window->Items().Row(static_cast<std::size_t>(row));
        window->Items().ApplyResult({row, item.RowId, status, item.Address, item.Address, 64, static_cast<std::uint32_t>(time)});
    }
    const auto checked = [&] { return (::GetMenuState(window->MainMenu(), IDM_STATISTICSCOLUMNS, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    Command(IDM_STATISTICSCOLUMNS);
    EXPECT_TRUE(checked());
    std::vector<int> widths, order(19);
    for (int c = 10; c < 19; ++c) widths.push_back(ColumnWidth(c));
    EXPECT_EQ(widths, (std::vector<int>{70, 90, 90, 70, 90, 140, 140, 110, 80}));
    ::SendMessageW(List(), LVM_GETCOLUMNORDERARRAY, 19, reinterpret_cast<LPARAM>(order.data()));
    EXPECT_EQ(std::vector<int>(order.begin() + 8, order.end()), (std::vector<int>{8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 9}))
        << "after the last visible column, the hidden description last";

    ::SendMessageW(List(), LVM_SCROLL, 10000, 0);  // to the right end: Recent Pings, Recent Loss
    RECT cell = {LVIR_BOUNDS, kFieldRecentPings};
    ::SendMessageW(List(), LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    RECT client;
    ::GetClientRect(List(), &client);
    const WindowDC screen(List());
    HDC memory = ::CreateCompatibleDC(screen.Get());
    const GdiObject bitmap(::CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    ::SelectObject(memory, bitmap.Get());
    ::SendMessageW(List(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    const int left = cell.left + 2, top = cell.top + 2, bottom = cell.bottom - 3;
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    const struct {
        const char* what;
        int x, y;
        COLORREF color;
    } pixels[] = {
        {"1 ms: one pixel high", left, bottom, kBarColor}, {"above it", left, bottom - 1, background},
        {"1,000 ms: full height", left + 1, top, kBarColor}, {"clear of the edge", left + 1, top - 1, background},
        {"a failure: full height in red", left + 2, top, kAlertBarColor}, {"no result yet", left + 3, bottom, background},
    };
    for (const auto& p : pixels) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(::GetPixel(memory, p.x, p.y), p.color);
    }
    ::DeleteDC(memory);

    ClickHeader(kFieldLoss);
    EXPECT_EQ(Column(kFieldLoss), (std::vector<std::wstring>{L"", L"33.3%", L"50.0%"})) << "empty first";
    Command(IDM_STATISTICSCOLUMNS);
    EXPECT_FALSE(checked());
    EXPECT_EQ(ColumnWidth(kFieldLoss), 0);
}

// The history graph: F6 opens it on the selected rows, it follows the selection (the focused row
// when none is selected) and repaints at a tick only when a plotted row got a result; a failure
// breaks the row's line and is marked above the plot; Ctrl+C copies the picture; Esc closes it,
// and it opens again where it was.
TEST_F(MainWindowTest, HistoryGraphFollowsTheSelectionBreaksLinesAtFailuresAndKeepsItsPlace) {
    Open(L"/nosaveload /PingEvery 0 /IPHostDescFormat 1");
    Build(L"127.0.0.1 gateway\r\n127.0.0.2 dns\r\n127.0.0.3 printer");
    HistoryGraph& graph = window->Graph();
    const auto result = [&](std::int32_t status) {
        window->Items().ApplyResult({0, window->Items().Row(0).RowId, status, 0x0100007F, 0x0100007F, 64, 30});
    };
    for (std::int32_t status : {0, 0, 10, 0, 0}) result(status);
    const auto hosts = [&] {
        std::vector<std::wstring> names;
        for (const HistoryGraph::LegendEntry& entry : graph.Legend()) names.push_back(entry.host);
        return names;
    };
    ::SendMessageW(window->Window(), WM_COMMAND, MAKEWPARAM(IDM_HISTORYGRAPH, 1), 0);
    PumpFor(0);
    ASSERT_TRUE(graph.IsOpen());
    EXPECT_EQ(::GetWindow(graph.Window(), GW_OWNER), window->Window());
    EXPECT_EQ(testing_es::TextOf(graph.Window()), L"歷史圖表");
    EXPECT_EQ(hosts(), std::vector<std::wstring>{L"127.0.0.1"});
    SelectRows({1, 2});
    EXPECT_EQ(hosts(), (std::vector<std::wstring>{L"127.0.0.2", L"127.0.0.3"}));
    SelectRows({});
    window->View().SetRowState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    PumpFor(0);
    EXPECT_EQ(hosts(), std::vector<std::wstring>{L"127.0.0.2"}) << "the focused row";
    SelectRows({0});
    ASSERT_EQ(graph.Legend().size(), 1u);
    EXPECT_EQ(graph.Legend()[0].description, L"gateway");
    ::ValidateRect(graph.Window(), nullptr);
    window->OnTimerTick();
    EXPECT_FALSE(::GetUpdateRect(graph.Window(), nullptr, FALSE)) << "nothing new";
    result(0);
    window->OnTimerTick();
    EXPECT_TRUE(::GetUpdateRect(graph.Window(), nullptr, FALSE));

    // Six results: slots 94 to 99, the failure at 96.
    HDC screen = ::GetDC(nullptr), dc = ::CreateCompatibleDC(screen);
    HBITMAP picture = ::CreateCompatibleBitmap(screen, 600, 300);
    HGDIOBJ previous = ::SelectObject(dc, picture);
    graph.Render(dc, 600, 300);
    const GraphFrame frame = graph.FrameFor(dc, 600, 300);
    const int y = TimeY(30, frame.plot);
    for (int x = SlotX(95, frame.plot) + 2; x <= SlotX(97, frame.plot) - 2; ++x)
        EXPECT_EQ(::GetPixel(dc, x, y), RGB(255, 255, 255)) << "no line across the failure at x " << x;
    EXPECT_EQ(::GetPixel(dc, (SlotX(97, frame.plot) + SlotX(98, frame.plot)) / 2, y), graph.Legend()[0].color);
    EXPECT_EQ(::GetPixel(dc, SlotX(96, frame.plot), (frame.markTop + frame.markBottom) / 2), RGB(220, 0, 0));
    ::DeleteObject(::SelectObject(dc, previous));
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);

    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    const bool copied = graph.TranslateKey({graph.Window(), WM_KEYDOWN, 'C', 0});
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(copied);
    RECT client;
    ::GetClientRect(graph.Window(), &client);
    BITMAP bitmap = {};
    ASSERT_TRUE(::OpenClipboard(window->Window()));
    ::GetObjectW(::GetClipboardData(CF_BITMAP), sizeof(bitmap), &bitmap);
    ::CloseClipboard();
    EXPECT_EQ(std::pair(bitmap.bmWidth, bitmap.bmHeight), std::pair(client.right, client.bottom));

    EXPECT_EQ(window->Settings().graphPlacement.length, 0) << "kept once it closes";
    ::SetWindowPos(graph.Window(), nullptr, 100, 120, 500, 300, SWP_NOZORDER);
    ::SendMessageW(graph.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(graph.IsOpen());
    const WindowPlacement& kept = window->Settings().graphPlacement;
    EXPECT_EQ((ScreenRect{kept.left, kept.top, kept.right, kept.bottom}), (ScreenRect{100, 120, 600, 420}));
    Command(IDM_HISTORYGRAPH);
    RECT reopened = {};
    ::GetWindowRect(graph.Window(), &reopened);
    EXPECT_EQ((ScreenRect{reopened.left, reopened.top, reopened.right, reopened.bottom}), (ScreenRect{100, 120, 600, 420}));
}

// Over a list sorted by address, descending (.4 .3 .2 .1), with column 4 hidden. Properties shows
// nineteen label and value pairs of the one selected row in column-index order, hidden columns included,
// the values in blue with one right edge, OK 5 pixels above the bottom. Copy and Save Selected
// Items write the selected records in the order shown, with the shown columns in their order.
TEST_F(MainWindowTest, PropertiesCopyAndSaveReadTheSelectedRowsAsShown) {
    Open();
    Build(L"127.0.0.1-127.0.0.4");
    ClickHeader(1);
    ClickHeader(1);
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 4, 0);
    {
        std::vector<std::wstring> labels, values;
        std::vector<long> valueRights;
        long okGap = -1;
        COLORREF valueColor = 0;
        testing_es::DialogAutomation look([&](HWND dialog) {
            for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                if (!::IsWindowVisible(child) || ::GetDlgCtrlID(child) == IDOK) continue;
                wchar_t kind[16] = L"";
                ::GetClassNameW(child, kind, 16);
                RECT rect;
                ::GetWindowRect(child, &rect);
                (_wcsicmp(kind, L"edit") ? labels : values).push_back(testing_es::TextOf(child));
                if (!_wcsicmp(kind, L"edit")) valueRights.push_back(rect.right);
            }
            RECT client, ok;
            ::GetClientRect(dialog, &client);
            ::GetWindowRect(::GetDlgItem(dialog, IDOK), &ok);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
            okGap = client.bottom - ok.bottom;
            valueColor = testing_es::PaintedTextColor(dialog, IDC_PROP_VALUETEMPLATE);
            testing_es::ClickButton(dialog, IDOK);
            return true;
        });
        SelectRows({2});
        Command(IDM_PROPERTIES);
        ASSERT_EQ(labels.size(), 19u);
        EXPECT_EQ(labels[7], L"為上次測試特殊的生存時間:");
        std::vector<std::wstring> expected(19, L"");
        expected[0] = expected[1] = L"127.0.0.2";
        expected[3] = expected[4] = L"0";
        EXPECT_EQ(values, expected);
        EXPECT_EQ(std::count(valueRights.begin(), valueRights.end(), valueRights[0]), 19);
        EXPECT_EQ(okGap, 5);
        EXPECT_EQ(valueColor, RGB(0, 0, 192));
        EXPECT_EQ(::GetFocus(), List());
    }

    SelectRows({0, 2});
    int order[19] = {1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    ::SendMessageW(List(), LVM_SETCOLUMNORDERARRAY, 19, reinterpret_cast<LPARAM>(order));
    for (int column : {2, 5, 6, 7, 8, 9}) ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    ::SendMessageW(window->Window(), WM_COMMAND, MAKEWPARAM(IDM_COPYSELECTED, 1), 0);  // Ctrl+C
    ASSERT_TRUE(::OpenClipboard(window->Window()));
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
    const std::wstring copied = text ? text : L"<none>";
    ::CloseClipboard();
    EXPECT_EQ(copied, L"127.0.0.4\t127.0.0.4\t0\t\r\n127.0.0.2\t127.0.0.2\t0\t\r\n");

    // Three of the Save dialog's filters, each giving its own format.
    const testing_es::TempFolder folder(L"sav");
    const auto cell = [](std::wstring text) { return text.append(20 - text.size(), L' ') + L' '; };  // 20 wide
    const std::wstring tabular = cell(L"127.0.0.4") + cell(L"127.0.0.4") + cell(L"0") + L"\r\n" +
                                 cell(L"127.0.0.2") + cell(L"127.0.0.2") + cell(L"0") + L"\r\n";
    const std::pair<int, std::string> saves[] = {
        {2, "\xFF\xFE" + testing_es::Utf16Bytes(copied)},
        {3, "\xFF\xFE" + testing_es::Utf16Bytes(tabular)},
        {4, "127.0.0.4,127.0.0.4,0\r\n127.0.0.2,127.0.0.2,0\r\n"},
    };
    for (const auto& [format, bytes] : saves) {
        SCOPED_TRACE(format);
        const std::wstring path = folder.PathOf(L"rows" + std::to_wstring(format) + L".out");
        window->Settings().SaveFilterIndex = format;
        CommandWithFile(IDM_SAVESELECTED, path);
        EXPECT_EQ(window->Settings().SaveFilterIndex, format);
        EXPECT_EQ(testing_es::ReadFileBytes(path), bytes);
    }
    // The eighth, JSON: the selected rows in the order shown, every column whether shown or not.
    window->Settings().SaveFilterIndex = 8;
    CommandWithFile(IDM_SAVESELECTED, folder.PathOf(L"rows.json"));
    const std::string json = testing_es::ReadFileBytes(folder.PathOf(L"rows.json"));
    const std::size_t first = json.find("\n    {\"host\": \"127.0.0.4\", \"address\": \"127.0.0.4\", \"replyAddress\": null, "
                                        "\"succeeded\": 0, \"failed\": 0, ");
    EXPECT_NE(json.find("},\n    {\"host\": \"127.0.0.2\", ", first), std::string::npos);
    EXPECT_EQ(json.find("127.0.0.3"), std::string::npos);
}

// Moved to a screen of 200 % and back: the window takes the rectangle Windows suggests, the
// toolbar, rows and columns grow for the new DPI, and on the way back are what they were.
TEST_F(MainWindowTest, ADpiChangeRescalesTheToolbarRowsAndColumnsAndUndoesItOnTheWayBack) {
    Open();
    Build(L"127.0.0.1\r\n127.0.0.2\r\n");
    const auto measure = [&] {
        RECT row = {LVIR_BOUNDS};
        ::SendMessageW(List(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        const auto buttons = static_cast<DWORD>(::SendMessageW(window->Toolbar(), TB_GETBUTTONSIZE, 0, 0));
        return std::vector<int>{LOWORD(buttons), HIWORD(buttons), row.bottom - row.top, ColumnWidth(0)};
    };
    const std::vector<int> at96 = measure();
    const auto changeTo = [&](int dpi, RECT suggested) {
        ::SendMessageW(window->Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        PumpFor(0);
        RECT now = {};
        ::GetWindowRect(window->Window(), &now);
        EXPECT_EQ(now.left, suggested.left);
        EXPECT_EQ(now.bottom, suggested.bottom);
    };
    changeTo(192, {20, 10, 1300, 970});
    const std::vector<int> at192 = measure();
    EXPECT_EQ(at192[0], at96[0] + 16) << "the 32-pixel pictures, padded as the 16-pixel ones";
    EXPECT_EQ(at192[1], at96[1] + 16);
    EXPECT_GT(at192[2], 32) << "a row holds its picture";
    EXPECT_EQ(at192[3], 2 * at96[3]) << "every shown column as column 0";
    RECT toolbar = {};
    ::GetWindowRect(window->Toolbar(), &toolbar);
    EXPECT_GE(toolbar.bottom - toolbar.top, at192[1]) << "laid out at its new height";
    changeTo(96, {20, 10, 660, 490});
    const std::vector<int> back = measure();
    const char* names[] = {"button width", "button height", "row height", "column 0"};
    for (std::size_t i = 0; i < at96.size(); ++i) EXPECT_EQ(back[i], at96[i]) << names[i];
}

}  // namespace
}  // namespace es
