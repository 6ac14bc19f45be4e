// The alerts against a shell that records what it was asked, with a real hidden window and the
// real string table: the tray icon by the options, the notification when due, hiding to the tray
// and coming back, and the flash.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "watch/Alerts.h"

namespace es {
namespace {

// Records the icon calls and counts the flashes; the shell always agrees.
struct FakeShell : AlertShell {
    bool AddIcon(const NOTIFYICONDATAW& data) override { return Record(NIM_ADD, data); }
    bool ModifyIcon(const NOTIFYICONDATAW& data) override { return Record(NIM_MODIFY, data); }
    bool DeleteIcon(const NOTIFYICONDATAW& data) override { return Record(NIM_DELETE, data); }
    void PlaySystemSound(const wchar_t*) override {}
    void Flash(HWND) override { ++flashes; }
    bool Record(DWORD message, const NOTIFYICONDATAW& data) {
        calls.push_back({message, data});
        return true;
    }
    std::vector<std::pair<DWORD, NOTIFYICONDATAW>> Take() { return std::exchange(calls, {}); }

    std::vector<std::pair<DWORD, NOTIFYICONDATAW>> calls;
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

    ResourceTexts texts;
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    FakeShell shell;
    Alerts alerts{&shell};
};

TEST_F(AlertsTest, TheIconIsShownWhileAnyAlertOptionIsOn) {
    for (auto option : {&AppSettings::NotifyOnChange, &AppSettings::SoundOnChange, &AppSettings::FlashWhenDown, &AppSettings::MinimizeToTray}) {
        alerts.Apply(Options(option));
        const auto calls = shell.Take();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].first, DWORD(NIM_ADD));
        EXPECT_EQ(calls[0].second.uCallbackMessage, UINT(UM_TRAYICON));
        alerts.Apply(Options());
        EXPECT_EQ(shell.Take().at(0).first, DWORD(NIM_DELETE));
    }
}

TEST_F(AlertsTest, TheDueNotificationIsShownAndTheTipFollowsTheCounts) {
    const AppSettings settings = Options(&AppSettings::NotifyOnChange);
    alerts.Apply(settings);
    const StateChange down = {0, L"10.0.0.7", L"", L"core switch", WatchState::Down, 10};
    alerts.OnChanges({&down, 1}, 1000, settings);
    alerts.OnTick(3000, 0, 1);
    const auto calls = shell.Take();
    ASSERT_EQ(calls.size(), 3u) << "the icon added, the notification, the new icon and tip";
    EXPECT_EQ(calls[1].second.uFlags, UINT(NIF_INFO));
    EXPECT_STREQ(calls[1].second.szInfo, L"10.0.0.7 (core switch) is down: 請求逾時");
    EXPECT_STREQ(calls[2].second.szTip, L"EchoSentinel: 0 up, 1 down");
}

TEST_F(AlertsTest, MinimisingHidesToTheTrayOnlyWithTheOptionAndAClickBringsTheWindowBack) {
    for (const bool toTray : {false, true}) {
        SCOPED_TRACE(toTray ? "to the tray" : "to the taskbar");
        const AppSettings settings = Options(toTray ? &AppSettings::MinimizeToTray : &AppSettings::FlashWhenDown);
        alerts.Apply(settings);
        ::ShowWindow(window, SW_MINIMIZE);
        EXPECT_FALSE(alerts.OnMessage(WM_SIZE, SIZE_MINIMIZED, 0, settings)) << "the window lays itself out as well";
        EXPECT_EQ(::IsWindowVisible(window) != FALSE, !toTray);
        alerts.OnMessage(UM_TRAYICON, 0, MAKELPARAM(toTray ? NIN_SELECT : WM_LBUTTONUP, 1), settings);
        EXPECT_FALSE(::IsIconic(window));
    }
}

TEST_F(AlertsTest, TheButtonFlashesForADownWhileTheWindowIsNotInFront) {
    const AppSettings settings = Options(&AppSettings::FlashWhenDown);
    const StateChange changes[] = {{.state = WatchState::Up}, {.state = WatchState::Down}};
    alerts.OnChanges({changes, 1}, 0, settings);
    EXPECT_EQ(shell.flashes, 0) << "an up";
    alerts.OnChanges(changes, 0, settings);
    EXPECT_EQ(shell.flashes, 1) << "a down, the window hidden";
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    alerts.OnChanges(changes, 0, settings);
    EXPECT_EQ(shell.flashes, 1) << "a down, the window in front";
}

}  // namespace
}  // namespace es
