#include "reports/SaveReport.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "lang/StringTable.h"
#include "reports/ReportFiles.h"
#include "reports/ReportWriter.h"
#include "resources/ResourceIds.h"
#include "support/ErrorMessage.h"
#include "support/FileDialog.h"
#include "support/FileFilter.h"
#include "support/Handles.h"
#include "support/Utf16.h"

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
        {GetString(IDS_FILTER_JSON), L"*.json"},
    });
    int index = filterIndex ? filterIndex : 1;
    if (!ShowFileDialog(FileDialogKind::Save, owner, filter, GetString(IDS_SAVEDIALOGTITLE),
                        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, path, index))
        return false;
    filterIndex = index;
    return true;
}

void SaveSelectedItems(HWND owner, PingItemList& list, const ReportListView& view, int& filterIndex) {
    std::wstring path;
    int chosen = filterIndex;
    if (!ChooseSaveFile(owner, path, chosen)) return;
    filterIndex = chosen;
    if (chosen != kFormatJson) {
        SaveRows(owner, list, view, path, chosen, false, true);
    } else if (const DWORD error = WriteJsonReportFile(list, view.ShownItems(true), nullptr, path)) {
        ShowErrorMessage(owner, error);
    }
}

namespace {

class TextBuffer final : public TextSink {
public:
    bool Write(std::wstring_view text) override {
        this->text.append(text);
        return true;
    }
    bool WriteAnsi(std::wstring_view text) override { return Write(text); }
    bool WriteUtf8(std::wstring_view text) override { return Write(text); }
    std::wstring text;
};

}  // namespace

// Straight from memory: no temporary file can be left behind when something fails.
bool CopySelectedToClipboard(HWND owner, ReportListBase& list, const ReportListView& view) {
    TextBuffer buffer;
    WriteItems(list, buffer, kFormatTabDelimited, false, view.ShownItems(true));
    const std::string units = EncodeUtf16Le(buffer.text) + std::string(2, '\0');
    DWORD error = 0;
    if (!::OpenClipboard(owner)) {
        error = ::GetLastError();
    } else {
        ::EmptyClipboard();
        // Ours until the clipboard takes it.
        GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, units.size()));
        if (void* block = memory ? ::GlobalLock(memory.Get()) : nullptr) {
            std::memcpy(block, units.data(), units.size());
            ::GlobalUnlock(memory.Get());
            if (::SetClipboardData(CF_UNICODETEXT, memory.Get())) memory.Release();
            else error = ::GetLastError();
        } else {
            error = ::GetLastError();
        }
        ::CloseClipboard();
    }
    if (error) ShowErrorMessage(owner, error);
    return error == 0;
}

void ShowHtmlReport(HWND owner, ReportListBase& list, const ReportListView& view, const std::wstring& reportPath,
                    bool selectedOnly) {
    if (!SaveRows(owner, list, view, reportPath, kFormatHtmlHorizontal, false, selectedOnly)) return;
    ::ShellExecuteW(owner, L"open", reportPath.c_str(), L"", L"", SW_SHOW);
}

}  // namespace es
