#include "settings/AppSettings.h"

#include <algorithm>

namespace es {

void ExchangeAppSettings(AppSettings& s, SettingsStore& store) {
    store.ExchangeBool(L"ShowGridLines", s.ShowGridLines, 0);
    store.ExchangeInt(L"SaveFilterIndex", s.SaveFilterIndex, 0);
    store.ExchangeBool(L"ShowInfoTip", s.ShowInfoTip, 1);
    store.ExchangeBool(L"MarkFailedPings", s.MarkFailedPings, 0);
    store.ExchangeBool(L"AlwaysOnTop", s.AlwaysOnTop, 0);
    store.ExchangeBool(L"PingEvery", s.PingEvery, 1);
    store.ExchangeInt(L"PingEverySeconds", s.PingEverySeconds, 30);
    store.ExchangeInt(L"PingTimeout", s.PingTimeout, 1000);
    store.ExchangeBool(L"RememberHosts", s.RememberHosts, 1);
    store.ExchangeBool(L"IPHostDescFormat", s.IPHostDescFormat, 0);
}

namespace {

void ExchangeUnlessDefault(SettingsStore& store, std::wstring_view key, std::int32_t& value, std::int32_t def) {
    if (store.IsWriting() && value == def) return;
    store.ExchangeInt(key, value, def);
}

}  // namespace

void ExchangeWatchSettings(AppSettings& s, SettingsStore& store) {
    const AppSettings defaults;
    ExchangeUnlessDefault(store, L"DownAfterFailures", s.DownAfterFailures, defaults.DownAfterFailures);
    ExchangeUnlessDefault(store, L"UpAfterSuccesses", s.UpAfterSuccesses, defaults.UpAfterSuccesses);
    ExchangeUnlessDefault(store, L"NotifyOnChange", s.NotifyOnChange, defaults.NotifyOnChange);
    ExchangeUnlessDefault(store, L"SoundOnChange", s.SoundOnChange, defaults.SoundOnChange);
    ExchangeUnlessDefault(store, L"FlashWhenDown", s.FlashWhenDown, defaults.FlashWhenDown);
    ExchangeUnlessDefault(store, L"MinimizeToTray", s.MinimizeToTray, defaults.MinimizeToTray);
    ExchangeUnlessDefault(store, L"LogStateChanges", s.LogStateChanges, defaults.LogStateChanges);
    s.DownAfterFailures = std::clamp(s.DownAfterFailures, kMinThreshold, kMaxThreshold);
    s.UpAfterSuccesses = std::clamp(s.UpAfterSuccesses, kMinThreshold, kMaxThreshold);
}

void ExchangeThemeSetting(AppSettings& s, SettingsStore& store) {
    ExchangeUnlessDefault(store, L"Theme", s.Theme, kThemeSystem);
    if (s.Theme < kThemeSystem || s.Theme > kThemeDark) s.Theme = kThemeSystem;
}

}  // namespace es
