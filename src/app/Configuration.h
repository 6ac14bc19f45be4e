// The configuration file and the hosts file, read at start and written at exit.
#pragma once

#include <cstdint>

#include "reportlist/ReportListBase.h"
#include "settings/AppSettings.h"
#include "settings/WindowPlacement.h"

namespace es {

// The keys in their fixed order: the ten options, WinPos, Columns and Sort, then the watching
// options that differ from their defaults, then GraphPos once the history graph was opened, then
// Theme when one was chosen.
void ExchangeConfiguration(SettingsStore& store, AppSettings& settings, WindowPlacement& placement,
                           ReportListBase& list);

// Reads or writes EchoSentinel.cfg beside the executable, then the hosts file when RememberHosts
// is on. Each file is written to a new file first and replaces the old one only when complete;
// a save returns 0, or the error code of the first file that could not be written.
std::uint32_t LoadSaveConfiguration(AppSettings& settings, WindowPlacement& placement, ReportListBase& list, bool save);

}  // namespace es
