// Find: the platform's modeless find dialog over the rows of the list view, one open at a time,
// its search text and flags kept for the run. The owner forwards the registered find message.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "reportlist/ReportListBase.h"
#include "reportlist/ReportListView.h"

namespace es {

class RowFinder {
public:
    static constexpr std::size_t kSearchChars = 256;  // 255 and the terminator

    RowFinder(const ReportListBase& list, const ReportListView& view);
    RowFinder(const RowFinder&) = delete;
    RowFinder& operator=(const RowFinder&) = delete;

    // Opens the dialog unless one is open; true when it opened.
    bool Open(HWND owner);
    // The open dialog, for the message loop; null when none.
    HWND Dialog() const { return dialog_; }
    // The registered "commdlg_FindReplace" message: Find Next, or the dialog closing (the focus
    // then goes back to listView).
    void OnFindMessage(const FINDREPLACEW& request, HWND listView);
    // The next matching row after the first selected one (before it searching up), to the end of
    // the list and then once more over all of it; found, it becomes the only selected row, focused
    // and scrolled into view. False when no row matches.
    bool FindNext(HWND listView);

private:
    const ReportListBase& list_;
    const ReportListView& view_;
    FINDREPLACEW request_ = {};
    wchar_t text_[kSearchChars] = L"";
    HWND dialog_ = nullptr;
};

}  // namespace es
