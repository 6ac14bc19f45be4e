#include "app/ExportOptions.h"

#include "reports/ReportWriter.h"
#include "support/Text.h"

namespace es {

bool FindExportRequest(const CommandLine& commandLine, ExportRequest& request) {
    int format = kFormatNone, fileIndex = -1;
    for (int i = 0; i < commandLine.Count() - 1; ++i) {
        const wchar_t* word = commandLine.GetArg(i);
        int found = EqualsNoCase(word, L"/stext") ? kFormatText : FormatFromOption(word);
        if (found != kFormatNone) {
            format = found;
            fileIndex = i + 1;
        }
    }
    if (format == kFormatNone) return false;
    request.format = format;
    request.path = commandLine.GetArg(fileIndex);
    return true;
}

}  // namespace es
