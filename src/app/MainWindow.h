// The program's one top-level window: toolbar, the report list view of the ping rows and a
// two-part status bar; the commands, notifications and the timer that drives the ping cycle.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <span>
#include <string>

#include "app/SortByMenu.h"
#include "app/StatusBarLink.h"
#include "graph/HistoryGraph.h"
#include "ping/PingCycle.h"
#include "ping/PingItemList.h"
#include "reportlist/ListTheme.h"
#include "reportlist/ReportListView.h"
#include "reportlist/RowFinder.h"
#include "settings/AppSettings.h"
#include "settings/WindowPlacement.h"
#include "support/CommandLine.h"
#include "support/DpiScale.h"
#include "support/Handles.h"
#include "support/WindowBase.h"
#include "watch/Alerts.h"
#include "watch/StateLog.h"

namespace es {

class MainWindow : public WindowBase {
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTimerPeriodMs = 100;

    // When a command is enabled; Always ones are never grayed.
    enum class Rule { Always, OneSelected, AnyMarked, AnyRow, Pinging, CanStartPing };
    // One command: its id, when it is enabled, its toolbar button (position 1 to 9, 0 for none,
    // with the image of bitmap 104), the option whose check mark it shows and flips, and what it
    // does (after the flip, for an option). Menus, toolbar, context menu and dispatch all read it.
    struct Command {
        int id;
        Rule rule;
        int toolbarPosition;
        int toolbarImage;
        std::int32_t AppSettings::*option;
        void (MainWindow::*action)();
        bool (MainWindow::*isChecked)() const = nullptr;  // a check mark that follows the window
    };
    static std::span<const Command> Commands();

    explicit MainWindow(const CommandLine& commandLine);
    ~MainWindow() override;

    // Registers the class and creates the window; the creation handler runs inside.
    bool Create(HINSTANCE instance);
    HACCEL Accelerators() const { return accelerators_; }
    void LoadAccelerators(HINSTANCE instance);
    // The modeless Find dialog while it is open, for the message loop.
    HWND FindDialog() const { return finder_.Dialog(); }
    const WindowPlacement& Placement() const { return placement_; }

    AppSettings& Settings() { return settings_; }
    PingItemList& Items() { return items_; }
    ReportListView& View() { return view_; }
    PingCycle& Cycle() { return cycle_; }
    HWND ListView() const { return listView_; }
    HWND StatusBar() const { return statusBar_; }
    HWND Toolbar() const { return toolbar_; }
    HMENU MainMenu() const { return mainMenu_.Get(); }
    HMENU ContextMenu() const { return contextMenu_.Get(); }
    HistoryGraph& Graph() { return graph_; }
    // The DPI the window is shown at; sizes are scaled from 96 DPI to it.
    int Dpi() const { return dpi_; }

    // The rows built anew from the address list, shown sorted with the first one selected.
    void RebuildRows();
    // New rows, pinging on and a round at once.
    void RestartPinging();
    // Reads an address file into the list and restarts pinging; nothing when it cannot be opened.
    void LoadAddressFile(const std::wstring& path);
    // One tick of timer 1.
    void OnTimerTick();
    // The changes of watched state since the last tick: logged, gathered for the alerts; the tray
    // icon follows the counts.
    void OnWatchTick(std::uint32_t now);
    void UpdateStatusText();
    // The enabling rules for popup (the main menu when null) and the toolbar; the check marks of
    // the main menu.
    void UpdateCommandStates(HMENU popup);

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    std::optional<LRESULT> OnListNotify(NMHDR& header);
    void OnToolTipText(NMTTDISPINFOW& info);
    void OnRowStatesChanged(UINT changedStates);
    void OnDropFiles(HDROP drop);
    bool OnQueryEndSession();
    void OnEndSession(bool ending);
    void OnSize(int width, int height) override;
    void OnDestroy() override;
    // WM_DPICHANGED: every size made again for the new DPI, then the window moved where Windows suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);

private:
    bool IsEnabled(Rule rule) const;
    void CreateToolbar();
    // The pictures, fonts and status bar parts for dpi_ (MainWindowDpi.cpp); fromDpi is the DPI
    // the fonts were made for.
    void CreateImageLists();
    // Bitmap picture16 (one drawn at 16 pixels) at size, one of kImageSizes.
    static int PictureId(int picture16, int size);
    void SetStatusParts();
    void ScaleFonts(int fromDpi);
    void ApplyPlacement();
    // The configuration and hosts files (nothing under /nosaveload); a failure told in a box when asked.
    void SaveConfiguration(bool showFailure);
    void ComputeReportPath();
    void ShowContextMenu();
    // The focus kept while another window is active and given back when this one gets it: to
    // the control that had it, the list when that is gone, never the frame itself.
    void RememberFocus();
    void RestoreFocus();
    void OnStartup();

    // Command actions.
    void SaveSelected();
    void CopySelected();
    void ShowRowProperties();
    void ShowAbout();
    void OpenFind();
    void ChooseColumns();
    void Exit();
    void RefreshRows();
    void ApplyListStyles();
    void ShowReportAll();
    void ShowReportSelected();
    void SelectAll();
    void DeselectAll();
    void AutoSizeColumns();
    void ToggleStatisticsColumns();
    void OpenHistoryGraph();
    bool StatisticsColumnsShown() const;
    void OpenPingOptions();
    void StopPing();
    void RedrawRows();
    // The tray icon shown while any alert option is on, removed when none is.
    void ApplyAlertOptions();
    void ApplyAlwaysOnTop();
    void StartPing();
    void ChooseAddressFile();
    void ResetRows();
    // The theme (MainTheme.cpp): chosen in the Options menu, or Windows' own while it is System.
    void UseSystemTheme();
    void UseLightTheme();
    void UseDarkTheme();
    // The windows' colours for the theme now wanted; nothing while it has not changed, so that
    // the light theme paints as it always did.
    void ApplyTheme();
    void ApplyStatusBarTheme(bool dark);
    // Part 0 of the status bar: drawn by the control in the light theme, by us in the dark one.
    void SetStatusText(const std::wstring& text);
    void DrawStatusText(const DRAWITEMSTRUCT& item) const;
    std::optional<LRESULT> OnToolbarCustomDraw(NMCUSTOMDRAW& draw) const;
    // Lines that could not be written stay kept; the first failure after a success is told in
    // the status bar, once.
    void LogStateChanges(const std::vector<StateChange>& changes);

    const CommandLine& commandLine_;
    HINSTANCE instance_ = nullptr;
    AppSettings settings_;
    WindowPlacement placement_;
    PingItemList items_;
    ReportListView view_{items_};
    PingCycle cycle_{items_};
    RowFinder finder_{items_, view_};
    HistoryGraph graph_{items_, view_, settings_.graphPlacement};
    StatusBarLink link_;
    ListTheme listTheme_;
    bool darkApplied_ = false;
    std::wstring statusText_;
    SortByMenu sortByMenu_;
    Alerts alerts_;
    std::optional<StateLog> log_;  // opened at the first change logged
    MenuHandle mainMenu_;
    MenuHandle contextMenu_;
    HACCEL accelerators_ = nullptr;
    HICON icon_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND listView_ = nullptr;
    HWND savedFocus_ = nullptr;
    HCURSOR handCursor_ = nullptr;
    int dpi_ = kBaseDpi;
    GdiObject listFont_;  // made only when the list's own font is for another DPI
    std::wstring reportPath_;
    UINT findMessage_ = 0;
    bool noSaveLoad_ = false;
    bool statusUpdatePending_ = false;
    bool savedForSessionEnd_ = false;  // saved when Windows asked whether the session may end
    bool sessionEnding_ = false;
};

}  // namespace es
