// The program's options and address list, with their defaults for a missing key.
#pragma once

#include <cstdint>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/WindowPlacement.h"

namespace es {

// The colours the windows use: as Windows apps are set (AppsUseLightTheme), or chosen.
inline constexpr std::int32_t kThemeSystem = 0;
inline constexpr std::int32_t kThemeLight = 1;
inline constexpr std::int32_t kThemeDark = 2;

struct AppSettings {
    std::int32_t created = 0;  // set by the main window once it exists
    std::int32_t ShowGridLines = 0;
    std::int32_t ShowInfoTip = 1;
    std::int32_t MarkFailedPings = 0;
    std::int32_t AlwaysOnTop = 0;
    std::int32_t SaveFilterIndex = 0;
    std::wstring addressList;
    std::int32_t PingTimeout = 1000;
    std::int32_t PingEvery = 1;
    std::int32_t PingEverySeconds = 30;
    std::int32_t RememberHosts = 1;
    std::int32_t IPHostDescFormat = 0;
    // Watching: when a row counts as down or up again, and what tells the user of a change.
    std::int32_t DownAfterFailures = 3;
    std::int32_t UpAfterSuccesses = 1;
    std::int32_t NotifyOnChange = 1;
    std::int32_t SoundOnChange = 0;
    std::int32_t FlashWhenDown = 1;
    std::int32_t MinimizeToTray = 1;
    std::int32_t LogStateChanges = 0;
    // The history graph's, empty until it was opened once (or read from the configuration).
    WindowPlacement graphPlacement;
    std::int32_t Theme = kThemeSystem;
};

inline constexpr std::int32_t kMinThreshold = 1;
inline constexpr std::int32_t kMaxThreshold = 100;

// The ten [General] options, in the order they are written and read.
void ExchangeAppSettings(AppSettings& settings, SettingsStore& store);
// The watching options, stored after the window's keys; each is written only when it differs from
// its default, so a configuration that never changed one stays as it was. Thresholds read out of
// 1-100 are brought within.
void ExchangeWatchSettings(AppSettings& settings, SettingsStore& store);
// Theme, the last key, written only when it is not the system's; a value out of 0-2 reads as 0.
void ExchangeThemeSetting(AppSettings& settings, SettingsStore& store);

}  // namespace es
