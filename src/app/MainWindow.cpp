#include "app/MainWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <array>

#include "addresses/HostsFile.h"
#include "addresses/OptionsDialog.h"
#include "app/Configuration.h"
#include "lang/StringTable.h"
#include "ping/IcmpEchoService.h"
#include "reports/SaveReport.h"
#include "resources/ResourceIds.h"
#include "settings/CommandLineSettings.h"
#include "support/ExePaths.h"
#include "support/FileDialog.h"
#include "support/FileFilter.h"
#include "support/Text.h"

namespace es {

namespace {

// The status bar's link: kept scrambled in the program's data, made plain only when needed.
constexpr wchar_t kScrambleKey = 0x5A;
template <std::size_t N>
struct ScrambledText {
    std::array<wchar_t, N> chars{};
    constexpr explicit ScrambledText(const wchar_t (&plain)[N]) {
        for (std::size_t i = 0; i < N; ++i) chars[i] = static_cast<wchar_t>(plain[i] ^ kScrambleKey);
    }
    std::wstring Plain() const {
        std::wstring text;
        for (std::size_t i = 0; i + 1 < N; ++i) text += static_cast<wchar_t>(chars[i] ^ kScrambleKey);
        return text;
    }
};
constexpr ScrambledText kLinkText(L"echosentinel.example");
constexpr ScrambledText kLinkAddress(L"https://echosentinel.example/");

constexpr std::size_t kMaxStatusPiece = 255;
constexpr std::size_t kMaxTipChars = 79;
constexpr int kLinkPart = 1;
constexpr DWORD kProgressIntervalMs = 25;

enum Popup { kFilePopup = 0, kEditPopup = 1, kViewPopup = 2, kOptionsPopup = 3 };

std::wstring FormatCount(std::uint32_t formatId, int value) {
    wchar_t text[kMaxStatusPiece + 1];
    _snwprintf(text, kMaxStatusPiece, GetString(formatId), value);
    text[kMaxStatusPiece] = L'\0';
    return text;
}

}  // namespace

MainWindow::MainWindow(const CommandLine& commandLine) : commandLine_(commandLine) {
    className_ = L"EchoSentinel";
    linkFont_.Reset(::CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial"));
    linkText_ = kLinkText.Plain();
    items_.SetSettings(&settings_);
    items_.Engine().SetPlatformFactory(MakeIcmpPlatform);
}

MainWindow::~MainWindow() {
    if (window_) ::DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    icon_ = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPICON));
    handCursor_ = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HANDCURSOR));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon_;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className_.c_str();
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, className_.c_str(), L"EchoSentinel", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                             nullptr, instance, this) != nullptr;
}

void MainWindow::LoadAccelerators(HINSTANCE instance) {
    accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
}

void MainWindow::CreateToolbar() {
    auto bitmap = static_cast<HBITMAP>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0,
                                                    LR_DEFAULTSIZE | LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS | LR_SHARED));
    struct Button {
        int image;
        int command;
    };
    static constexpr Button kButtons[] = {
        {-1, 0}, {6, IDM_PINGOPTIONS}, {7, IDM_STARTPING}, {5, IDM_STOPPING}, {-1, 0},
        {1, IDM_SAVESELECTED}, {2, IDM_COPYSELECTED}, {3, IDM_PROPERTIES}, {0, IDM_FIND}, {4, IDM_EXIT},
    };
    TBBUTTON buttons[std::size(kButtons)] = {};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const bool separator = kButtons[i].image < 0;
        buttons[i].iBitmap = separator ? 0 : kButtons[i].image;
        buttons[i].idCommand = kButtons[i].command;
        buttons[i].fsState = separator ? 0 : TBSTATE_ENABLED;
        buttons[i].fsStyle = separator ? BTNS_SEP : BTNS_BUTTON;
    }
    toolbar_ = ::CreateToolbarEx(window_, WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                 IDC_TOOLBAR, 8, nullptr, reinterpret_cast<UINT_PTR>(bitmap), buttons,
                                 static_cast<int>(std::size(buttons)), 16, 16, 16, 16, sizeof(TBBUTTON));
}

void MainWindow::OnCreate() {
    mainMenu_.Reset(::LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MAINMENU)));
    ::SetMenu(window_, mainMenu_.Get());
    statusBar_ = ::CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", window_, IDC_STATUSBAR);
    CreateToolbar();
    listView_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                                      LVS_ALIGNLEFT,
                                  0, 0, 400, 200, window_, reinterpret_cast<HMENU>(IDC_LISTVIEW), instance_, nullptr);
    items_.Initialise(1);
    view_.Attach(listView_);
    view_.CreateColumns();
    view_.CreateImageLists(instance_, IDB_ROWIMAGES, RGB(0, 128, 128), IDB_SORTASCENDING, IDB_SORTDESCENDING);
    contextMenu_.Reset(::LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_CONTEXTMENU)));
    noSaveLoad_ = commandLine_.FindArg(L"/nosaveload") >= 0;
    if (!noSaveLoad_) {
        LoadSaveConfiguration(settings_, placement_, items_, false);
        ApplyPlacement();
    }
    if (commandLine_.Count() > 1) {
        CommandLineSettings overrides(commandLine_);
        ExchangeAppSettings(settings_, overrides);
    }
    ::DragAcceptFiles(window_, TRUE);
    settings_.created = 1;
    ::SetFocus(listView_);
    ComputeReportPath();
    ::SendMessageW(listView_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP,
                   LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    ApplyListStyles();
    findMessage_ = ::RegisterWindowMessageW(FINDMSGSTRINGW);
    UpdateCommandStates(nullptr);
    int parts[] = {300, 1024};
    ::SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    ::SendMessageW(statusBar_, SB_SETTEXTW, kLinkPart | SBT_OWNERDRAW, 0);
    ApplyAlwaysOnTop();
    ::SetTimer(window_, kTimerId, kTimerPeriodMs, nullptr);
}

void MainWindow::ApplyPlacement() {
    if (!placement_.IsUsable(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN))) return;
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const ScreenRect rect = placement_.NormalRectWithin(
        {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)});
    // The rectangle was saved in workspace coordinates, the ones SetWindowPlacement takes; moving
    // the window in screen coordinates would shift it by the taskbar at every start. The window is
    // not shown yet: only its normal rectangle is set here.
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    wp.showCmd = SW_HIDE;
    wp.rcNormalPosition = {rect.left, rect.top, rect.right, rect.bottom};
    ::SetWindowPlacement(window_, &wp);
}

void MainWindow::ComputeReportPath() {
    std::wstring folder = GetExeDirectory();
    DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) {
        wchar_t temp[MAX_PATH + 1] = L"";
        DWORD length = ::GetTempPathW(MAX_PATH, temp);
        folder.assign(temp, length <= MAX_PATH ? length : 0);
    }
    // Without a folder the HTML commands report the failure; a bare "report.html" would land
    // wherever a file dialog last left the current folder.
    reportPath_.clear();
    if (folder.empty() || folder.size() + 11 + 1 >= MAX_PATH) return;
    reportPath_ = folder;
    AppendBackslash(reportPath_);
    reportPath_ += L"report.html";
}

void MainWindow::ApplyListStyles() {
    auto style = static_cast<DWORD>(::SendMessageW(listView_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    style = settings_.ShowGridLines ? (style | LVS_EX_GRIDLINES) : (style & ~DWORD{LVS_EX_GRIDLINES});
    ::SendMessageW(listView_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
    style = static_cast<DWORD>(::SendMessageW(listView_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    style = settings_.ShowInfoTip ? (style | LVS_EX_INFOTIP) : (style & ~DWORD{LVS_EX_INFOTIP});
    ::SendMessageW(listView_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
}

void MainWindow::ApplyAlwaysOnTop() {
    ::SetWindowPos(window_, settings_.AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::OnSize() {
    if (!created_) return;
    RECT client;
    ::GetClientRect(window_, &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    RECT bar;
    ::GetWindowRect(toolbar_, &bar);
    const int toolbarHeight = bar.bottom - bar.top + 1;
    ::GetWindowRect(statusBar_, &bar);
    const int statusHeight = bar.bottom - bar.top + 1;
    HDWP batch = ::BeginDeferWindowPos(3);
    if (batch) batch = ::DeferWindowPos(batch, toolbar_, nullptr, 0, 0, width, toolbarHeight, SWP_NOZORDER);
    if (batch)
        batch = ::DeferWindowPos(batch, statusBar_, nullptr, 0, client.bottom - statusHeight + 1, width, statusHeight,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (batch)
        batch = ::DeferWindowPos(batch, listView_, nullptr, 0, toolbarHeight, width,
                                 height - toolbarHeight - statusHeight, SWP_NOZORDER);
    if (batch) ::EndDeferWindowPos(batch);
}

void MainWindow::UpdateStatusText() {
    if (!window_) return;
    std::wstring text = FormatCount(IDS_ITEMCOUNT, view_.RowCount());
    const int selected = view_.SelectedCount(true);
    if (selected > 0) text += FormatCount(IDS_SELECTEDCOUNT, selected);
    ::SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::UpdateCommandStates(HMENU popup) {
    const int rows = view_.RowCount();
    const int marked = view_.SelectedCount(false);
    const int selected = view_.SelectedCount(true);
    const bool pinging = cycle_.PingingActive;
    struct Rule {
        int command;
        bool enabled;
        Popup popup;
        bool toolbar;
    };
    const Rule rules[] = {
        {IDM_PROPERTIES, selected == 1, kFilePopup, true},
        {IDM_SAVESELECTED, marked > 0, kFilePopup, true},
        {IDM_COPYSELECTED, marked > 0, kEditPopup, true},
        {IDM_HTMLREPORTSELECTED, marked > 0, kViewPopup, false},
        {IDM_AUTOSIZECOLUMNS, rows > 0, kViewPopup, false},
        {IDM_STOPPING, pinging, kFilePopup, true},
        {IDM_STARTPING, !pinging && rows > 0, kFilePopup, true},
        {IDM_HTMLREPORTALL, rows > 0, kViewPopup, false},
        {IDM_FIND, rows > 0, kEditPopup, true},
        {IDM_RESET, rows > 0, kFilePopup, false},
    };
    for (const Rule& rule : rules) {
        HMENU menu = popup ? popup : ::GetSubMenu(mainMenu_.Get(), rule.popup);
        if (menu) ::EnableMenuItem(menu, static_cast<UINT>(rule.command), MF_BYCOMMAND | (rule.enabled ? MF_ENABLED : MF_GRAYED));
        if (!rule.toolbar || !toolbar_) continue;
        auto state = static_cast<BYTE>(::SendMessageW(toolbar_, TB_GETSTATE, static_cast<WPARAM>(rule.command), 0));
        state = rule.enabled ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED);
        ::SendMessageW(toolbar_, TB_SETSTATE, static_cast<WPARAM>(rule.command), MAKELPARAM(state, 0));
    }
    const struct {
        int command;
        std::int32_t on;
        Popup popup;
    } checks[] = {
        {IDM_SHOWGRIDLINES, settings_.ShowGridLines, kViewPopup},
        {IDM_SHOWTOOLTIPS, settings_.ShowInfoTip, kViewPopup},
        {IDM_MARKFAILED, settings_.MarkFailedPings, kOptionsPopup},
        {IDM_ALWAYSONTOP, settings_.AlwaysOnTop, kOptionsPopup},
    };
    for (const auto& check : checks) {
        ::CheckMenuItem(::GetSubMenu(mainMenu_.Get(), check.popup), static_cast<UINT>(check.command),
                        MF_BYCOMMAND | (check.on ? MF_CHECKED : MF_UNCHECKED));
    }
}

void MainWindow::RebuildRows() {
    cycle_.WaitingForNextRound = false;
    ::SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    items_.Clear();
    view_.DeleteAllRows();
    // The status bar redraws at once on every text; so the count of every 50th row is shown at
    // most once per kProgressIntervalMs, which looks the same and keeps a large list from waiting on it.
    DWORD lastProgress = ::GetTickCount() - kProgressIntervalMs;
    items_.BuildItems(settings_, [&](std::size_t count) {
        if (::GetTickCount() - lastProgress < kProgressIntervalMs) return;
        lastProgress = ::GetTickCount();
        const std::wstring text = FormatCount(IDS_LOADINGPROGRESS, static_cast<int>(count));
        ::SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
    });
    view_.Refresh(true);
    UpdateStatusText();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ::SetFocus(listView_);
    ::SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
}

void MainWindow::RestartPinging() {
    RebuildRows();
    cycle_.PingingActive = true;
    UpdateCommandStates(nullptr);
    cycle_.StartRound(settings_);
}

void MainWindow::LoadAddressFile(const std::wstring& path) {
    std::wstring text;
    if (!ReadAddressFile(path, text)) return;
    cycle_.Stop();
    UpdateCommandStates(nullptr);
    settings_.addressList = std::move(text);
    RestartPinging();
}

void MainWindow::OnTimerTick() {
    cycle_.Tick(::GetTickCount(), settings_, [this] {
        view_.UpdateRows(items_.TakeChangedRows());
        ::InvalidateRect(listView_, nullptr, FALSE);
    });
}

void MainWindow::StartPing() {
    // The accelerator reaches here even while the command is grayed; a second round must not
    // start over a running one.
    if (cycle_.PingingActive || view_.RowCount() == 0) return;
    cycle_.Start(settings_);
    UpdateCommandStates(nullptr);
}

void MainWindow::StopPing() {
    cycle_.Stop();
    UpdateCommandStates(nullptr);
}

void MainWindow::ResetRows() {
    items_.ResetStatistics();
    view_.UpdateAllRows();
}

void MainWindow::OpenPingOptions() {
    OptionsDialog dialog;
    dialog.CopyFrom(settings_);
    if (!dialog.DoModal(window_)) return;
    dialog.CopyTo(settings_);
    RestartPinging();
}

void MainWindow::ChooseAddressFile() {
    const std::wstring filter = BuildFileFilter({
        {GetString(IDS_OPENFILTER_TEXT), L"*.txt"},
        {GetString(IDS_OPENFILTER_ALL), L"*.*"},
    });
    std::wstring path;
    int index = 1;
    if (ShowFileDialog(FileDialogKind::Open, window_, filter, GetString(IDS_OPENDIALOGTITLE),
                       OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, path, index))
        LoadAddressFile(path);
}

void MainWindow::OnStartup() {
    const int index = commandLine_.FindArg(L"/loadfile");
    if (commandLine_.Count() > 1 && index >= 0) LoadAddressFile(commandLine_.GetArg(index + 1));
    else OpenPingOptions();
}

void MainWindow::ShowContextMenu() {
    POINT at;
    ::GetCursorPos(&at);
    HMENU popup = ::GetSubMenu(contextMenu_.Get(), 0);
    UpdateCommandStates(popup);
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

void MainWindow::DrawLink(const DRAWITEMSTRUCT& item) {
    RECT rect = item.rcItem;
    rect.left += 5;
    const int oldMode = ::SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(item.hDC, RGB(0, 0, 255));
    HGDIOBJ oldFont = ::SelectObject(item.hDC, linkFont_.Get());
    ::DrawTextW(item.hDC, linkText_.c_str(), static_cast<int>(linkText_.size()), &rect, DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(item.hDC, oldFont);
    ::SetTextColor(item.hDC, oldColor);
    ::SetBkMode(item.hDC, oldMode);
}

LRESULT MainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimerId) OnTimerTick();
        break;
    case WM_DROPFILES: {
        auto drop = reinterpret_cast<HDROP>(wParam);
        wchar_t path[MAX_PATH] = L"";
        const UINT length = ::DragQueryFileW(drop, 0, path, MAX_PATH);
        ::DragFinish(drop);
        if (length > 0) LoadAddressFile(path);
        break;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == listView_) ShowContextMenu();
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->hwndItem == statusBar_) {
            DrawLink(*item);
            return TRUE;
        }
        break;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == statusBar_) {
            ::SetCursor(handCursor_);
            return TRUE;
        }
        break;
    case WM_ACTIVATEAPP:
        if (!wParam) savedFocus_ = ::GetFocus();
        else ::PostMessageW(window_, UM_RESTOREFOCUS, 0, 0);
        break;
    case UM_UPDATESTATUS:
        statusUpdatePending_ = false;
        UpdateStatusText();
        UpdateCommandStates(nullptr);
        break;
    case UM_STARTUP:
        OnStartup();
        break;
    case WM_QUERYENDSESSION:
        // Settings are safe before Windows decides; if the session goes on, so does pinging.
        SaveConfiguration();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) ::DestroyWindow(window_);
        return 0;
    case UM_RESTOREFOCUS:
        ::SetFocus(savedFocus_);
        break;
    default:
        if (findMessage_ && message == findMessage_) {
            const auto* request = reinterpret_cast<const FINDREPLACEW*>(lParam);
            if (request && !(request->Flags & FR_FINDNEXT) && (request->Flags & FR_DIALOGTERM)) {
                findDialog_ = nullptr;
                ::SetFocus(listView_);
            }
        }
        break;
    }
    return RouteMessage(message, wParam, lParam);
}

void MainWindow::ToggleOption(std::int32_t& option) {
    option = !option;
    UpdateCommandStates(nullptr);
}

void MainWindow::OnCommand(UINT notifyCode, WPARAM wParam, LPARAM) {
    if (notifyCode > 1) return;
    switch (LOWORD(wParam)) {
    case IDM_SAVESELECTED:
        SaveSelectedItems(window_, items_, view_, settings_.SaveFilterIndex);
        break;
    case IDM_EXIT:
        ::SendMessageW(window_, WM_CLOSE, 0, 0);
        break;
    case IDM_ABOUT:
    case IDM_PROPERTIES:
        ::SetFocus(listView_);
        break;
    case IDM_SHOWGRIDLINES:
        ToggleOption(settings_.ShowGridLines);
        ApplyListStyles();
        break;
    case IDM_SHOWTOOLTIPS:
        ToggleOption(settings_.ShowInfoTip);
        ApplyListStyles();
        break;
    case IDM_HTMLREPORTALL:
        ShowHtmlReport(window_, items_, view_, reportPath_, false);
        break;
    case IDM_HTMLREPORTSELECTED:
        ShowHtmlReport(window_, items_, view_, reportPath_, true);
        break;
    case IDM_SELECTALL:
        view_.SetRowState(-1, LVIS_SELECTED, LVIS_SELECTED);
        break;
    case IDM_DESELECTALL:
        view_.SetRowState(-1, 0, LVIS_SELECTED);
        break;
    case IDM_REFRESH:
        // Brings every shown cell up to date now, also while pinging is stopped.
        view_.UpdateAllRows();
        ::InvalidateRect(listView_, nullptr, FALSE);
        break;
    case IDM_AUTOSIZECOLUMNS:
        view_.AutoSizeColumns();
        break;
    case IDM_PINGOPTIONS:
        OpenPingOptions();
        break;
    case IDM_STOPPING:
        StopPing();
        break;
    case IDM_STARTPING:
        StartPing();
        break;
    case IDM_MARKFAILED:
        ToggleOption(settings_.MarkFailedPings);
        ::InvalidateRect(listView_, nullptr, FALSE);
        break;
    case IDM_ALWAYSONTOP:
        ToggleOption(settings_.AlwaysOnTop);
        ApplyAlwaysOnTop();
        break;
    case IDM_LOADADDRESSFILE:
        ChooseAddressFile();
        break;
    case IDM_RESET:
        ResetRows();
        break;
    default:
        break;
    }
}

void MainWindow::OnNotify(UINT, NMHDR* header) {
    if (!header) return;
    if (header->hwndFrom == statusBar_ && header->code == NM_CLICK) {
        if (reinterpret_cast<NMMOUSE*>(header)->dwItemSpec == kLinkPart)
            ::ShellExecuteW(window_, L"open", kLinkAddress.Plain().c_str(), nullptr, nullptr, SW_SHOW);
        return;
    }
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        wchar_t text[kMaxTipChars + 1] = L"";
        ::GetMenuStringW(mainMenu_.Get(), static_cast<UINT>(header->idFrom), text, kMaxTipChars + 1, MF_BYCOMMAND);
        lstrcpynW(info->szText, text, static_cast<int>(std::size(info->szText)));
        info->lpszText = info->szText;
        info->hinst = nullptr;
        return;
    }
    if (header->hwndFrom != listView_) return;
    switch (header->code) {
    case NM_CUSTOMDRAW:
        SetResult(view_.CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header)));
        break;
    case NM_DBLCLK:
        ::SetFocus(listView_);
        break;
    case LVN_DELETEALLITEMS:
        SetResult(TRUE);  // no LVN_DELETEITEM for each row: nothing is kept per row here
        break;
    case LVN_COLUMNCLICK:
        view_.SortByColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem, false);
        break;
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if (((change->uOldState ^ change->uNewState) & LVIS_SELECTED) && !statusUpdatePending_) {
            statusUpdatePending_ = true;
            ::PostMessageW(window_, UM_UPDATESTATUS, 0, 0);
        }
        break;
    }
    default:
        break;
    }
}

void MainWindow::SaveConfiguration() {
    if (noSaveLoad_) return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (::GetWindowPlacement(window_, &wp)) {
        placement_.length = static_cast<std::int32_t>(wp.length);
        placement_.flags = static_cast<std::int32_t>(wp.flags);
        placement_.showCmd = static_cast<std::int32_t>(wp.showCmd);
        placement_.minX = wp.ptMinPosition.x;
        placement_.minY = wp.ptMinPosition.y;
        placement_.maxX = wp.ptMaxPosition.x;
        placement_.maxY = wp.ptMaxPosition.y;
        placement_.left = wp.rcNormalPosition.left;
        placement_.top = wp.rcNormalPosition.top;
        placement_.right = wp.rcNormalPosition.right;
        placement_.bottom = wp.rcNormalPosition.bottom;
    }
    LoadSaveConfiguration(settings_, placement_, items_, true);
}

void MainWindow::OnDestroy() {
    ::KillTimer(window_, kTimerId);
    if (!reportPath_.empty()) ::DeleteFileW(reportPath_.c_str());
    SaveConfiguration();
    // Echoes and lookups still under way are abandoned, not waited for: the process ends now.
    items_.Engine().Shutdown();
    items_.Clear();
    // The menu belongs to the window once attached; the window destroys it.
    if (window_ && ::GetMenu(window_) == mainMenu_.Get()) mainMenu_.Release();
    ::PostQuitMessage(0);
}

}  // namespace es
