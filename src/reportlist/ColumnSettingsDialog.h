// Choose Columns (dialog 1096): which report columns are shown, in which order and how wide,
// edited on a private layout captured from the main list view and applied back on OK.
#pragma once

#include <windows.h>

#include <vector>

#include "reportlist/ReportListBase.h"
#include "reportlist/ReportListView.h"
#include "support/DialogBase.h"

namespace es {

class ColumnSettingsDialog final : public DialogBase {
public:
    // Runs the dialog over parent; OK applies the layout to the list view. The keyboard focus goes
    // back to the list view either way.
    static void Open(HWND parent, HWND listView, const ReportListBase& list, ReportListView& view);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> OnNotify(NMHDR& header) override;

private:
    ColumnSettingsDialog(HWND listView, const ReportListBase& list, ReportListView& view);

    HWND Rows() const { return ::GetDlgItem(window_, 1001); }
    int RowCount() const;
    int SelectedRow() const;
    int ColumnOfRow(int row) const;
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    // One row per column in display order; a hidden column's width becomes its default width.
    void Fill();
    void SwapRows(int a, int b);
    void OnRowChanged(const NMLISTVIEW& change);
    void Accept();

    HWND listView_;
    const ReportListBase& list_;
    std::vector<ColumnLayoutEntry> layout_;
    bool settingWidth_ = false;
};

}  // namespace es
