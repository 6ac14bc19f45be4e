// The program's options and address list, with their defaults for a missing key.
#pragma once

#include <cstdint>
#include <string>

#include "settings/SettingsStore.h"

namespace es {

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
};

// The ten [General] options, in the order they are written and read.
void ExchangeAppSettings(AppSettings& settings, SettingsStore& store);

}  // namespace es
