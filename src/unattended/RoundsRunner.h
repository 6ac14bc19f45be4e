// "/rounds N": the rows pinged N rounds without a window, their report written, the plugin output
// given to whoever started the program, and the run's state as the exit code.
#pragma once

#include <string>

#include "ping/PingItemList.h"
#include "settings/AppSettings.h"
#include "unattended/Verdict.h"

namespace es {

// The rows built, the options read; reportFormat 0 for no report. Returns 0 OK, 1 WARNING,
// 2 CRITICAL or 3 UNKNOWN. Shows no window and no box, and writes neither the configuration nor
// the hosts file.
int RunRounds(PingItemList& list, const AppSettings& settings, const RoundsRequest& request, int reportFormat,
              const std::wstring& reportPath);

}  // namespace es
