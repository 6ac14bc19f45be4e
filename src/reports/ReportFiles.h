// Report files on disk.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ping/PingItemList.h"
#include "reports/TextSink.h"
#include "reports/UnattendedRun.h"

namespace es {

// Creates the file at path and lets write fill it, with the wait cursor shown meanwhile. False
// when the file cannot be created or a write failed; the thread's last error then tells why.
bool WriteReportFile(const std::wstring& path, const std::function<bool(TextSink&)>& write);

// The JSON report of the rows given by storage index, in that order; run may be null. 0, or the
// Windows error code of what failed.
DWORD WriteJsonReportFile(const PingItemList& list, const std::vector<std::size_t>& rows, const UnattendedRun* run,
                          const std::wstring& path);
// Every row as Prometheus metrics. The text goes to a file beside path that then replaces it, so
// a collector reading path finds either the last whole report or the new one. 0 or the error code.
DWORD WritePrometheusReportFile(const PingItemList& list, const std::wstring& path);

// Every exportable row in storage order in any of the formats, for the command-line export. A
// file that cannot be created or written is reported in an "Error %d: %s" box without owner;
// false then.
bool ExportAllToFile(PingItemList& list, const std::wstring& path, int format);

}  // namespace es
