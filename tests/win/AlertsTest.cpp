// The alerts against a shell that records what it was asked, with a real hidden window and the
// real string table and icons: the tray icon by the options, the notification when due, the icon
// by the counts, hiding to the tray and coming back, and the flash.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "watch/Alerts.h"

namespace es {
namespace {

// Records the icon calls and counts the flashes; the shell always agrees.
struct FakeShell : AlertShell {
    enum Kind { Add, Modify, Delete };
    bool AddIcon(const NOTIFYICONDATAW& data) override { return Record(Add, data); }
    bool ModifyIcon(const NOTIFYICONDATAW& data) override { return Record(Modify, data); }
    bool DeleteIcon(const NOTIFYICONDATAW& data) override { return Record(Delete, data); }
    void PlaySystemSound(const wchar_t*) override {}
    void Flash(HWND) override { ++flashes; }
    bool Record(Kind kind, const NOTIFYICONDATAW& data) {
        calls.push_back({kind, data});
        return true;
    }
    std::vector<std::pair<Kind, NOTIFYICONDATAW>> Take() { return std::exchange(calls, {}); }

    std::vector<std::pair<Kind, NOTIFYICONDATAW>> calls;
    int flashes = 0;
};

class AlertsTest : public testing::Test {
protected:
    void SetUp() override { InstallBuiltInTexts(&texts); alerts.Attach(window, ::GetModuleHandleW(nullptr)); }
    void TearDown() override { InstallBuiltInTexts(nullptr); ::DestroyWindow(window); }
    static AppSettings Options(std::int32_t AppSettings::*on = nullptr) {
        AppSettings settings;
        settings.NotifyOnChange = settings.SoundOnChange = settings.FlashWhenDown = settings.MinimizeToTray = 0;
        if (on) settings.*on = 1;
        return settings;
    }
    static StateChange Change(WatchState state) { return {0, L"10.0.0.7", L"", L"core switch", state, 10}; }

    ResourceTexts texts;
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    FakeShell shell;
    Alerts alerts{&shell};
};

TEST_F(AlertsTest, TheIconIsShownWhileAnyAlertOptionIsOn) {
    alerts.Apply(Options());
    EXPECT_TRUE(shell.Take().empty());
    for (auto option : {&AppSettings::NotifyOnChange, &AppSettings::SoundOnChange, &AppSettings::FlashWhenDown, &AppSettings::MinimizeToTray}) {
        alerts.Apply(Options(option));
        auto calls = shell.Take();
        ASSERT_EQ(calls.size(), 1u);
        const NOTIFYICONDATAW& added = calls[0].second;
        EXPECT_EQ(calls[0].first, FakeShell::Add);
        EXPECT_EQ(added.hWnd, window);
        EXPECT_EQ(added.uID, 1u);
        EXPECT_EQ(added.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP), UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_EQ(added.uCallbackMessage, UINT(UM_TRAYICON));
        EXPECT_STREQ(added.szTip, L"EchoSentinel: 0 up, 0 down");
        alerts.Apply(Options());
        EXPECT_EQ(shell.Take().at(0).first, FakeShell::Delete);
    }
    alerts.Apply(Options(&AppSettings::MinimizeToTray));
    alerts.OnMessage(::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, Options(&AppSettings::MinimizeToTray));
    EXPECT_EQ(shell.Take().back().first, FakeShell::Add) << "added again for a new taskbar";
}

TEST_F(AlertsTest, TheDueNotificationIsShownAndTheIconFollowsTheCounts) {
    const AppSettings settings = Options(&AppSettings::NotifyOnChange);
    alerts.Apply(settings);
    std::set<HICON> icons = {shell.Take().at(0).second.hIcon};
    const StateChange down = Change(WatchState::Down);
    alerts.OnChanges({&down, 1}, 1000, settings);
    alerts.OnTick(2999, 0, 1);
    auto calls = shell.Take();
    ASSERT_EQ(calls.size(), 1u) << "the new icon and tip, no notification yet";
    EXPECT_EQ(calls[0].second.uFlags & (NIF_ICON | NIF_TIP | NIF_INFO), UINT(NIF_ICON | NIF_TIP));
    EXPECT_STREQ(calls[0].second.szTip, L"EchoSentinel: 0 up, 1 down");
    icons.insert(calls[0].second.hIcon);
    alerts.OnTick(3000, 0, 1);
    calls = shell.Take();
    ASSERT_EQ(calls.size(), 1u) << "the notification, and the unchanged icon not sent again";
    EXPECT_EQ(calls[0].first, FakeShell::Modify);
    EXPECT_EQ(calls[0].second.uFlags, UINT(NIF_INFO));
    EXPECT_STREQ(calls[0].second.szInfoTitle, L"EchoSentinel");
    EXPECT_STREQ(calls[0].second.szInfo, L"10.0.0.7 (core switch) is down: 請求逾時");
    EXPECT_EQ(calls[0].second.dwInfoFlags & NIIF_ICON_MASK, DWORD(NIIF_WARNING));
    for (auto [up, down] : {std::pair{2u, 1u}, std::pair{2u, 0u}}) {
        alerts.OnTick(3100, up, down);
        icons.insert(shell.Take().at(0).second.hIcon);
    }
    EXPECT_EQ(icons.size(), 4u) << "unknown, all down, some down and up each have their icon";
    EXPECT_FALSE(icons.count(nullptr));
}

TEST_F(AlertsTest, MinimisingHidesToTheTrayOnlyWithTheOptionAndAClickBringsTheWindowBack) {
    for (const bool toTray : {false, true}) {
        SCOPED_TRACE(toTray ? "to the tray" : "to the taskbar");
        const AppSettings settings = Options(toTray ? &AppSettings::MinimizeToTray : &AppSettings::FlashWhenDown);
        alerts.Apply(settings);
        ::ShowWindow(window, SW_MINIMIZE);
        EXPECT_FALSE(alerts.OnMessage(WM_SIZE, SIZE_MINIMIZED, 0, settings)) << "the window lays itself out as well";
        EXPECT_EQ(::IsWindowVisible(window) != FALSE, !toTray);
        EXPECT_TRUE(alerts.OnMessage(UM_TRAYICON, 0, WM_RBUTTONUP, settings));
        EXPECT_TRUE(::IsIconic(window)) << "a right click leaves it";
        alerts.OnMessage(UM_TRAYICON, 0, MAKELPARAM(toTray ? NIN_SELECT : WM_LBUTTONUP, 1), settings);
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_FALSE(::IsIconic(window));
    }
}

TEST_F(AlertsTest, TheButtonFlashesForADownWhileTheWindowIsNotInFront) {
    const AppSettings settings = Options(&AppSettings::FlashWhenDown);
    const StateChange changes[] = {Change(WatchState::Up), Change(WatchState::Down)};
    alerts.OnChanges({changes, 1}, 0, settings);
    EXPECT_EQ(shell.flashes, 0) << "an up";
    alerts.OnChanges(changes, 0, Options());
    EXPECT_EQ(shell.flashes, 0) << "the option off";
    alerts.OnChanges(changes, 0, settings);
    EXPECT_EQ(shell.flashes, 1) << "a down, the window hidden";
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ASSERT_EQ(::GetForegroundWindow(), window);
    alerts.OnChanges(changes, 0, settings);
    EXPECT_EQ(shell.flashes, 1) << "a down, the window in front";
}

}  // namespace
}  // namespace es
