// Which report the command line asks to be written without a window.
#pragma once

#include <string>

#include "support/CommandLine.h"

namespace es {

struct ExportRequest {
    int format = 0;
    std::wstring path;
};

// The last format option before the final word wins; the word after it is the file name,
// whatever it looks like. False when no format option is found.
bool FindExportRequest(const CommandLine& commandLine, ExportRequest& request);

}  // namespace es
