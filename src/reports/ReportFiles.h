// Report files on disk.
#pragma once

#include <string>

#include "reportlist/ReportListBase.h"

namespace es {

// Every exportable row in storage order, for the command-line export. A file that cannot be
// created or written is reported in an "Error %d: %s" box without owner; false then.
bool ExportAllToFile(ReportListBase& list, const std::wstring& path, int format);

}  // namespace es
