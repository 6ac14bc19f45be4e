#include "reports/ReportFiles.h"

#include "reports/FileSink.h"
#include "reports/ReportWriter.h"
#include "support/ErrorMessage.h"
#include "support/FileIo.h"

namespace es {

bool ExportAllToFile(ReportListBase& list, const std::wstring& path, int format) {
    FileHandle file = CreateFileForWrite(path);
    if (!file) {
        ShowErrorMessage(nullptr, 0);
        return false;
    }
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    bool ok;
    {
        FileSink sink(file.Get());
        ok = WriteAllItems(list, sink, format) && sink.Flush();
    }
    ::SetCursor(previous);
    if (!ok) ShowErrorMessage(nullptr, 0);
    return ok;
}

}  // namespace es
