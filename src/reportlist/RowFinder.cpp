#include "reportlist/RowFinder.h"

#include <commctrl.h>

namespace es {

RowFinder::RowFinder(const ReportListBase& list, const ReportListView& view) : list_(list), view_(view) {
    request_.lStructSize = sizeof(request_);
    request_.Flags = FR_DOWN;
}

bool RowFinder::Open(HWND owner) {
    if (dialog_) return false;
    request_.hwndOwner = owner;
    request_.hInstance = ::GetModuleHandleW(nullptr);
    request_.lpstrFindWhat = text_;
    request_.wFindWhatLen = static_cast<WORD>(kSearchChars);
    request_.Flags &= FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE;
    dialog_ = ::FindTextW(&request_);
    return dialog_ != nullptr;
}

void RowFinder::OnFindMessage(const FINDREPLACEW& request, HWND listView) {
    if (request.Flags & FR_FINDNEXT) {
        FindNext(listView);
    } else if (request.Flags & FR_DIALOGTERM) {
        dialog_ = nullptr;
        ::SetFocus(listView);
    }
}

bool RowFinder::FindNext(HWND listView) {
    const int rows = view_.RowCount();
    if (rows == 0) return false;
    const bool down = request_.Flags & FR_DOWN;
    const bool wholeWord = request_.Flags & FR_WHOLEWORD, matchCase = request_.Flags & FR_MATCHCASE;
    const int selected = static_cast<int>(::SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    int row = selected < 0 ? 0 : selected + (down ? 1 : -1);
    for (int wraps = 0;;) {
        if (row >= rows || row < 0) {
            if (++wraps > 1) return false;
            row = row < 0 ? rows - 1 : 0;
        }
        std::size_t item = 0;
        if (view_.ItemOfRow(row, item) && item < list_.Count() && list_.ItemMatchesFind(list_.ItemAt(item), text_, wholeWord, matchCase))
            break;
        row += down ? 1 : -1;
    }
    LVITEMW clear = {};
    clear.stateMask = LVIS_SELECTED;
    ::SendMessageW(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    ::SendMessageW(listView, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    LVITEMW found = {};
    found.state = found.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&found));
    return true;
}

}  // namespace es
