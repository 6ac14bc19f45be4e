#include "app/MainWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "addresses/HostsFile.h"
#include "addresses/OptionsDialog.h"
#include "app/Configuration.h"
#include "lang/LanguageFile.h"
#include "lang/StringTable.h"
#include "ping/IcmpEchoService.h"
#include "reports/SaveReport.h"
#include "resources/ResourceIds.h"
#include "settings/CommandLineSettings.h"
#include "settings/SavedPlacement.h"
#include "support/AccessKey.h"
#include "support/Dpi.h"
#include "support/DarkMode.h"
#include "support/ErrorMessage.h"
#include "support/ExePaths.h"
#include "support/FileDialog.h"
#include "support/FileFilter.h"
#include "support/Text.h"
#include "watch/StateLogFormat.h"

namespace es {

namespace {

constexpr std::size_t kMaxStatusPiece = 255;
constexpr std::size_t kMaxTipChars = 79;
constexpr DWORD kProgressIntervalMs = 25;

std::wstring FormatCount(std::uint32_t formatId, int value) {
    wchar_t text[kMaxStatusPiece + 1];
    _snwprintf(text, kMaxStatusPiece, GetString(formatId), value);
    text[kMaxStatusPiece] = L'\0';
    return text;
}

constexpr wchar_t kClassName[] = L"EchoSentinel";

}  // namespace

MainWindow::MainWindow(const CommandLine& commandLine) : commandLine_(commandLine) {
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
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    const int dpi = ScreenDpi();
    return ::CreateWindowExW(0, kClassName, L"EchoSentinel", WS_OVERLAPPEDWINDOW, 0, 0, ScaleToDpi(640, dpi),
                             ScaleToDpi(480, dpi), nullptr, nullptr, instance, this) != nullptr;
}

void MainWindow::LoadAccelerators(HINSTANCE instance) {
    accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
}

bool MainWindow::OnCreate() {
    dpi_ = WindowDpi(window_);
    link_.SetDpi(dpi_);
    mainMenu_.Reset(LoadTranslatedMenu(instance_, IDR_MAINMENU));
    ::SetMenu(window_, mainMenu_.Get());
    sortByMenu_.Attach(mainMenu_.Get());
    statusBar_ = ::CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", window_, IDC_STATUSBAR);
    CreateToolbar();
    // Owner data: the rows' texts stay in the records and are asked for as they are drawn.
    listView_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                                      LVS_SHOWSELALWAYS | LVS_ALIGNLEFT,
                                  0, 0, 400, 200, window_, reinterpret_cast<HMENU>(IDC_LISTVIEW), instance_, nullptr);
    items_.Initialise(1);
    view_.Attach(listView_);
    view_.SetDpi(dpi_);
    view_.CreateColumns();
    CreateImageLists();
    ScaleFonts(ScreenDpi());
    contextMenu_.Reset(LoadTranslatedMenu(instance_, IDR_CONTEXTMENU));
    noSaveLoad_ = commandLine_.FindArg(L"/nosaveload") >= 0;
    if (!noSaveLoad_) {
        LoadSaveConfiguration(settings_, placement_, items_, false);
        ApplyPlacement();
    }
    if (commandLine_.Count() > 1) {
        CommandLineSettings overrides(commandLine_);
        ExchangeAppSettings(settings_, overrides);
        ExchangeWatchSettings(settings_, overrides);
        ExchangeThemeSetting(settings_, overrides);
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
    SetStatusParts();
    ::SendMessageW(statusBar_, SB_SETTEXTW, StatusBarLink::kPart | SBT_OWNERDRAW, 0);
    ApplyTheme();
    ApplyAlwaysOnTop();
    alerts_.Attach(window_, instance_);
    alerts_.Apply(settings_);
    ::SetTimer(window_, kTimerId, kTimerPeriodMs, nullptr);
    return true;
}

void MainWindow::ApplyPlacement() { RestoreNormalRect(window_, placement_); }

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

void MainWindow::OnSize(int width, int height) {
    if (!listView_) return;
    RECT bar;
    ::GetWindowRect(toolbar_, &bar);
    const int toolbarHeight = bar.bottom - bar.top + 1;
    ::GetWindowRect(statusBar_, &bar);
    const int statusHeight = bar.bottom - bar.top + 1;
    HDWP batch = ::BeginDeferWindowPos(3);
    if (batch) batch = ::DeferWindowPos(batch, toolbar_, nullptr, 0, 0, width, toolbarHeight, SWP_NOZORDER);
    if (batch)
        batch = ::DeferWindowPos(batch, statusBar_, nullptr, 0, height - statusHeight + 1, width, statusHeight,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (batch)
        batch = ::DeferWindowPos(batch, listView_, nullptr, 0, toolbarHeight, width,
                                 height - toolbarHeight - statusHeight, SWP_NOZORDER);
    if (batch) ::EndDeferWindowPos(batch);
}

void MainWindow::UpdateStatusText() {
    if (!window_) return;
    std::wstring text = FormatCount(IDS_ITEMCOUNT, view_.RowCount());
    const int selected = view_.SelectedCount();
    if (selected > 0) text += FormatCount(IDS_SELECTEDCOUNT, selected);
    SetStatusText(text);
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
        SetStatusText(FormatCount(IDS_LOADINGPROGRESS, static_cast<int>(count)));
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
    const std::uint32_t now = ::GetTickCount();
    cycle_.Tick(now, settings_, [this] {
        view_.UpdateRows(items_.TakeChangedRows());
    });
    graph_.OnTick();
    OnWatchTick(now);
}

void MainWindow::OnWatchTick(std::uint32_t now) {
    const std::vector<StateChange> changes = items_.TakeStateChanges();
    if (!changes.empty()) {
        if (settings_.LogStateChanges) LogStateChanges(changes);
        alerts_.OnChanges(changes, now, settings_);
    }
    const PingItemList::WatchCounts counts = items_.CountWatched();
    alerts_.OnTick(now, counts.up, counts.down);
}

void MainWindow::LogStateChanges(const std::vector<StateChange>& changes) {
    if (!log_) log_.emplace(StateLogPath());
    std::vector<std::string> lines;
    lines.reserve(changes.size());
    for (const StateChange& change : changes)
        lines.push_back(FormatStateLogLine(change, GetString(IDS_STATUSBASE + static_cast<std::uint32_t>(change.status))));
    const StateLog::Outcome outcome = log_->Append(std::move(lines));
    if (!outcome.firstFailure) return;
    SetStatusText(FillFormat(GetString(IDS_LOGFAILED), {GetErrorLine(outcome.error)}));
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

void MainWindow::RememberFocus() {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(window_, focus)) savedFocus_ = focus;
}

void MainWindow::RestoreFocus() {
    if (!listView_) return;
    const bool kept = savedFocus_ && ::IsChild(window_, savedFocus_) && ::IsWindowVisible(savedFocus_);
    ::SetFocus(kept ? savedFocus_ : listView_);
}

void MainWindow::ShowContextMenu() {
    POINT at;
    ::GetCursorPos(&at);
    HMENU popup = ::GetSubMenu(contextMenu_.Get(), 0);
    UpdateCommandStates(popup);
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

std::optional<LRESULT> MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> result = alerts_.OnMessage(message, wParam, lParam, settings_)) return result;
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimerId) OnTimerTick();
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != listView_) break;
        ShowContextMenu();
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item || item->hwndItem != statusBar_) break;
        if (item->itemID == StatusBarLink::kPart) link_.Draw(*item);
        else DrawStatusText(*item);
        return TRUE;
    }
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) != statusBar_) break;
        ::SetCursor(handCursor_);
        return TRUE;
    case WM_SETTINGCHANGE:
        if (IsThemeChangeMessage(lParam)) ApplyTheme();
        break;
    case WM_INITMENUPOPUP:
        UpdateCommandStates(nullptr);  // the columns may have changed since: their check mark too
        sortByMenu_.OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), items_);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
        break;
    case WM_SETFOCUS:
        // The frame gets the focus when it is activated again, after a dialog or the graph.
        RestoreFocus();
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam) RememberFocus();
        else ::PostMessageW(window_, UM_RESTOREFOCUS, 0, 0);
        break;
    case UM_UPDATESTATUS:
        statusUpdatePending_ = false;
        UpdateStatusText();
        UpdateCommandStates(nullptr);
        return 0;
    case UM_STARTUP:
        OnStartup();
        return 0;
    case UM_RESTOREFOCUS:
        // Another window of the program (a dialog, the graph) that is active keeps its own focus.
        if (::GetActiveWindow() == window_) RestoreFocus();
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_ENDSESSION:
        OnEndSession(wParam != 0);
        return 0;
    default:
        if (findMessage_ && message == findMessage_) {
            if (lParam) finder_.OnFindMessage(*reinterpret_cast<const FINDREPLACEW*>(lParam), listView_);
            return 0;
        }
        break;
    }
    return WindowBase::OnMessage(message, wParam, lParam);
}

// The first file of a drop, its path asked for whole: a path cut to a buffer could name another file.
void MainWindow::OnDropFiles(HDROP drop) {
    std::wstring path(::DragQueryFileW(drop, 0, nullptr, 0), L'\0');
    const UINT length = path.empty() ? 0 : ::DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
    ::DragFinish(drop);
    path.resize(std::min<std::size_t>(length, path.size()));
    if (!path.empty()) LoadAddressFile(path);
}

// Settings are safe before Windows decides. Nobody can answer a box while the session ends, so a
// failure is not shown; the old files stay as they were.
bool MainWindow::OnQueryEndSession() {
    SaveConfiguration(false);
    savedForSessionEnd_ = true;
    return true;
}

// Saved when Windows asked; if the session goes on, so does pinging, and a later close saves again.
void MainWindow::OnEndSession(bool ending) {
    if (!ending) {
        savedForSessionEnd_ = false;
        return;
    }
    sessionEnding_ = true;
    ::DestroyWindow(window_);
}

std::optional<LRESULT> MainWindow::OnNotify(NMHDR& header) {
    if (header.hwndFrom == statusBar_ && header.code == NM_CLICK) {
        if (reinterpret_cast<const NMMOUSE&>(header).dwItemSpec == StatusBarLink::kPart) link_.Open(window_);
        return 0;
    }
    if (header.hwndFrom == toolbar_ && header.code == static_cast<UINT>(NM_CUSTOMDRAW))
        return OnToolbarCustomDraw(reinterpret_cast<NMCUSTOMDRAW&>(header));
    if (header.code == TTN_GETDISPINFOW) {
        OnToolTipText(reinterpret_cast<NMTTDISPINFOW&>(header));
        return 0;
    }
    if (header.hwndFrom == listView_) return OnListNotify(header);
    return std::nullopt;
}

// A tool tip is the menu text of its command, without the access key, which means nothing there.
void MainWindow::OnToolTipText(NMTTDISPINFOW& info) {
    wchar_t text[kMaxTipChars + 1] = L"";
    ::GetMenuStringW(mainMenu_.Get(), static_cast<UINT>(info.hdr.idFrom), text, kMaxTipChars + 1, MF_BYCOMMAND);
    lstrcpynW(info.szText, WithoutAccessKey(text).c_str(), static_cast<int>(std::size(info.szText)));
    info.lpszText = info.szText;
    info.hinst = nullptr;
}

std::optional<LRESULT> MainWindow::OnListNotify(NMHDR& header) {
    switch (header.code) {
    case NM_CUSTOMDRAW:
        return view_.CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(&header));
    case NM_DBLCLK:
        ShowRowProperties();
        return 0;
    case LVN_DELETEALLITEMS:
        return TRUE;  // no LVN_DELETEITEM for each row: nothing is kept per row here
    case LVN_COLUMNCLICK:
        view_.SortByColumn(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem, false);
        return 0;
    case LVN_GETDISPINFOW:
        view_.GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
        return 0;
    case LVN_ODFINDITEMW:
        return view_.FindRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        OnRowStatesChanged(change.uOldState ^ change.uNewState);
        return 0;
    }
    case LVN_ODSTATECHANGED: {
        // A range of rows (Select All) comes as one notification.
        const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
        OnRowStatesChanged(change.uOldState ^ change.uNewState);
        return 0;
    }
    default:
        return std::nullopt;
    }
}

// One status update for any number of selection changes in a row.
void MainWindow::OnRowStatesChanged(UINT changedStates) {
    if (changedStates & (LVIS_SELECTED | LVIS_FOCUSED)) graph_.OnSelectionChanged();
    if (!(changedStates & LVIS_SELECTED) || statusUpdatePending_) return;
    statusUpdatePending_ = true;
    ::PostMessageW(window_, UM_UPDATESTATUS, 0, 0);
}

void MainWindow::SaveConfiguration(bool showFailure) {
    if (noSaveLoad_) return;
    graph_.StorePlacement();
    CaptureWindowPlacement(window_, placement_);
    // Told once, whichever file failed; the old files stay as they were.
    const std::uint32_t error = LoadSaveConfiguration(settings_, placement_, items_, true);
    if (error && showFailure)
        ShowErrorMessage(::IsWindowVisible(window_) ? window_ : nullptr, error);
}

void MainWindow::OnDestroy() {
    ::KillTimer(window_, kTimerId);
    alerts_.Remove();
    if (log_ && log_->KeptLines()) log_->Append({});  // a last try for lines a failed write kept
    if (!reportPath_.empty()) ::DeleteFileW(reportPath_.c_str());
    if (!savedForSessionEnd_) SaveConfiguration(!sessionEnding_);
    // Echoes and lookups still under way are abandoned, not waited for: the process ends now.
    items_.Engine().Shutdown();
    items_.Clear();
    // The menu belongs to the window once attached; the window destroys it.
    if (window_ && ::GetMenu(window_) == mainMenu_.Get()) mainMenu_.Release();
    ::PostQuitMessage(0);
}

}  // namespace es
