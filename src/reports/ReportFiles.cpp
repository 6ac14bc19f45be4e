#include "reports/ReportFiles.h"

#include "reports/FileSink.h"
#include "reports/JsonReport.h"
#include "reports/PrometheusReport.h"
#include "reports/ReportWriter.h"
#include "support/ErrorMessage.h"
#include "support/FileIo.h"

namespace es {

namespace {

DWORD LastErrorOfFailure() {
    const DWORD error = ::GetLastError();
    return error ? error : ERROR_WRITE_FAULT;
}

}  // namespace

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
    // Closing the file and the cursor must not hide why the write failed.
    const DWORD error = ::GetLastError();
    file.Reset();
    ::SetCursor(previous);
    if (!ok) ::SetLastError(error);
    return ok;
}

DWORD WriteJsonReportFile(const PingItemList& list, const std::vector<std::size_t>& rows, const UnattendedRun* run,
                          const std::wstring& path) {
    if (WriteReportFile(path, [&](TextSink& sink) { return WriteJsonReport(list, rows, run, sink); })) return 0;
    return LastErrorOfFailure();
}

DWORD WritePrometheusReportFile(const PingItemList& list, const std::wstring& path) {
    if (!IsReplaceable(path)) return ::GetLastError();
    const std::wstring pending = PendingSavePath(path);
    if (!WriteReportFile(pending, [&](TextSink& sink) { return WritePrometheusReport(list, sink); })) {
        const DWORD error = LastErrorOfFailure();
        ::DeleteFileW(pending.c_str());
        return error;
    }
    return CommitPendingSave(pending, path) ? 0 : LastErrorOfFailure();
}

bool ExportAllToFile(PingItemList& list, const std::wstring& path, int format) {
    DWORD error = 0;
    if (format == kFormatJson) {
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < list.Count(); ++i)
            if (list.IsItemExportable(list.ItemAt(i))) rows.push_back(i);
        error = WriteJsonReportFile(list, rows, nullptr, path);
    } else if (format == kFormatPrometheus) {
        error = WritePrometheusReportFile(list, path);
    } else if (!WriteReportFile(path, [&](TextSink& sink) { return WriteAllItems(list, sink, format); })) {
        error = LastErrorOfFailure();
    }
    if (error) ShowErrorMessage(nullptr, error);
    return error == 0;
}

}  // namespace es
