// Rows from the window: the driver over the list view's rows, the save dialog, Save Selected
// Items, the copy to the clipboard and the HTML report shown in the browser.
#pragma once

#include <windows.h>

#include <string>

#include "ping/PingItemList.h"
#include "reportlist/ReportListBase.h"
#include "reportlist/ReportListView.h"

namespace es {

// The rows as the list view shows them, top down (with markedOnly, the selected ones). False when
// the file cannot be created (nothing reported) or an item could not be written.
bool SaveToFile(ReportListBase& list, const ReportListView& view, const std::wstring& path, int format,
                bool noByteOrderMark, bool markedOnly);
// SaveToFile, and on failure the "Error %d: %s" box owned by owner.
bool SaveRows(HWND owner, ReportListBase& list, const ReportListView& view, const std::wstring& path, int format,
              bool noByteOrderMark, bool markedOnly);

// The save dialog with the eight report filters, JSON last so that a stored index keeps naming the
// same format; filterIndex in (0 shows the first), the chosen one out. False on Cancel.
bool ChooseSaveFile(HWND owner, std::wstring& path, int& filterIndex);
// The Save Selected Items command: the format is the chosen filter, kept in filterIndex.
void SaveSelectedItems(HWND owner, PingItemList& list, const ReportListView& view, int& filterIndex);
// Copy Selected Items: the selected rows as the tab-delimited report without a byte-order mark,
// on the clipboard as Unicode text; a failure shows the "Error %d: %s" box owned by owner.
bool CopySelectedToClipboard(HWND owner, ReportListBase& list, const ReportListView& view);
// The horizontal HTML report of all or the selected rows in reportPath, opened by the shell.
void ShowHtmlReport(HWND owner, ReportListBase& list, const ReportListView& view, const std::wstring& reportPath,
                    bool selectedOnly);

}  // namespace es
