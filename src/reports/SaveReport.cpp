#include "reports/SaveReport.h"

#include <commdlg.h>
#include <shellapi.h>

#include "lang/StringTable.h"
#include "reports/ReportFiles.h"
#include "reports/ReportWriter.h"
#include "resources/ResourceIds.h"
#include "support/ErrorMessage.h"
#include "support/FileDialog.h"
#include "support/FileFilter.h"

namespace es {

bool SaveToFile(ReportListBase& list, const ReportListView& view, const std::wstring& path, int format,
                bool noByteOrderMark, bool markedOnly) {
    return WriteReportFile(path, [&](TextSink& sink) {
        return WriteItems(list, sink, format, !noByteOrderMark, view.ShownItems(markedOnly));
    });
}

bool SaveRows(HWND owner, ReportListBase& list, const ReportListView& view, const std::wstring& path, int format,
              bool noByteOrderMark, bool markedOnly) {
    if (SaveToFile(list, view, path, format, noByteOrderMark, markedOnly)) return true;
    ShowErrorMessage(owner, 0);
    return false;
}

bool ChooseSaveFile(HWND owner, std::wstring& path, int& filterIndex) {
    const std::wstring filter = BuildFileFilter({
        {GetString(IDS_FILTER_TEXT), L"*.txt"},
        {GetString(IDS_FILTER_TABDELIMITED), L"*.txt"},
        {GetString(IDS_FILTER_TABULAR), L"*.txt"},
        {GetString(IDS_FILTER_COMMA), L"*.csv"},
        {GetString(IDS_FILTER_HTMLHORZ), L"*.htm;*.html"},
        {GetString(IDS_FILTER_HTMLVERT), L"*.htm;*.html"},
        {GetString(IDS_FILTER_XML), L"*.xml"},
    });
    int index = filterIndex ? filterIndex : 1;
    if (!ShowFileDialog(FileDialogKind::Save, owner, filter, GetString(IDS_SAVEDIALOGTITLE),
                        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, path, index))
        return false;
    filterIndex = index;
    return true;
}

void SaveSelectedItems(HWND owner, ReportListBase& list, const ReportListView& view, int& filterIndex) {
    std::wstring path;
    int chosen = filterIndex;
    if (!ChooseSaveFile(owner, path, chosen)) return;
    filterIndex = chosen;
    SaveRows(owner, list, view, path, chosen, false, true);
}

void ShowHtmlReport(HWND owner, ReportListBase& list, const ReportListView& view, const std::wstring& reportPath,
                    bool selectedOnly) {
    if (!SaveRows(owner, list, view, reportPath, kFormatHtmlHorizontal, false, selectedOnly)) return;
    ::ShellExecuteW(owner, L"open", reportPath.c_str(), L"", L"", SW_SHOW);
}

}  // namespace es
