#include "reports/ReportFiles.h"

#include "reports/FileSink.h"
#include "reports/ReportWriter.h"
#include "support/ErrorMessage.h"
#include "support/FileIo.h"

namespace es {

bool WriteReportFile(const std::wstring& path, const std::function<bool(TextSink&)>& write) {
    FileHandle file = CreateFileForWrite(path);
    if (!file) return false;
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    bool ok;
    {
        FileSink sink(file.Get());
        ok = write(sink);
        ok = sink.Flush() && ok;
    }
    file.Reset();
    ::SetCursor(previous);
    return ok;
}

bool ExportAllToFile(ReportListBase& list, const std::wstring& path, int format) {
    const bool ok = WriteReportFile(path, [&](TextSink& sink) { return WriteAllItems(list, sink, format); });
    if (!ok) ShowErrorMessage(nullptr, 0);
    return ok;
}

}  // namespace es
