// Report files on disk.
#pragma once

#include <functional>
#include <string>

#include "reportlist/ReportListBase.h"
#include "reports/TextSink.h"

namespace es {

// Creates the file at path and lets write fill it, with the wait cursor shown meanwhile. False
// when the file cannot be created or a write failed; the thread's last error then tells why.
bool WriteReportFile(const std::wstring& path, const std::function<bool(TextSink&)>& write);

// Every exportable row in storage order, for the command-line export. A file that cannot be
// created or written is reported in an "Error %d: %s" box without owner; false then.
bool ExportAllToFile(ReportListBase& list, const std::wstring& path, int format);

}  // namespace es
