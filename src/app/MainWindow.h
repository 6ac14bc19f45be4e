// The program's one top-level window: toolbar, the report list view of the ping rows and a
// two-part status bar; the commands, notifications and the timer that drives the ping cycle.
#pragma once

#include "app/WindowBase.h"
#include "ping/PingCycle.h"
#include "ping/PingItemList.h"
#include "reportlist/ReportListView.h"
#include "settings/AppSettings.h"
#include "settings/WindowPlacement.h"
#include "support/CommandLine.h"
#include "support/Handles.h"

#include <string>

namespace es {

class MainWindow : public WindowBase {
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTimerPeriodMs = 100;

    explicit MainWindow(const CommandLine& commandLine);
    ~MainWindow() override;

    // Registers the class and creates the window; the creation handler runs inside.
    bool Create(HINSTANCE instance);
    HACCEL Accelerators() const { return accelerators_; }
    void LoadAccelerators(HINSTANCE instance);
    // The modeless Find dialog while it is open, for the message loop.
    HWND FindDialog() const { return findDialog_; }
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
    const std::wstring& ReportPath() const { return reportPath_; }

    // The rows built anew from the address list, shown sorted with the first one selected.
    void RebuildRows();
    // New rows, pinging on and a round at once.
    void RestartPinging();
    // Reads an address file into the list and restarts pinging; nothing when it cannot be opened.
    void LoadAddressFile(const std::wstring& path);
    // One tick of timer 1.
    void OnTimerTick();
    void UpdateStatusText();
    // The enabling rules for popup (the main menu's popups when null) and the toolbar; the check
    // marks of the main menu.
    void UpdateCommandStates(HMENU popup);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate() override;
    void OnCommand(UINT notifyCode, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(UINT controlId, NMHDR* header) override;
    void OnDestroy() override;
    void OnSize() override;

private:
    void CreateToolbar();
    // Flips an on/off option and shows its new check mark.
    void ToggleOption(std::int32_t& option);
    void ApplyListStyles();
    void ApplyAlwaysOnTop();
    void ApplyPlacement();
    // The configuration and hosts files (nothing under /nosaveload).
    void SaveConfiguration();
    void ComputeReportPath();
    void DrawLink(const DRAWITEMSTRUCT& item);
    void ShowContextMenu();
    void OpenPingOptions();
    void ChooseAddressFile();
    void StartPing();
    void StopPing();
    void ResetRows();
    void OnStartup();

    const CommandLine& commandLine_;
    HINSTANCE instance_ = nullptr;
    AppSettings settings_;
    WindowPlacement placement_;
    PingItemList items_;
    ReportListView view_{items_};
    PingCycle cycle_{items_};
    MenuHandle mainMenu_;
    MenuHandle contextMenu_;
    HACCEL accelerators_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND listView_ = nullptr;
    HWND findDialog_ = nullptr;
    HWND savedFocus_ = nullptr;
    HCURSOR handCursor_ = nullptr;
    GdiObject linkFont_;
    std::wstring linkText_;
    std::wstring reportPath_;
    UINT findMessage_ = 0;
    bool noSaveLoad_ = false;
    bool statusUpdatePending_ = false;
};

}  // namespace es
