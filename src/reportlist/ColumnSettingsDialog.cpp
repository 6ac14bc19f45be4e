#include "reportlist/ColumnSettingsDialog.h"

#include <commctrl.h>

#include <string>

#include "resources/ResourceIds.h"
#include "support/Dpi.h"
#include "support/UiFramework.h"

namespace es {

namespace {

constexpr int kTitleChars = 256;
// Widths here are at 96 DPI, as the layout holds them and the configuration stores them.
constexpr int kShownAgainWidth = 100;
constexpr int kTitleColumnWidth = 200;
constexpr UINT kMaxWidth = 999;

}  // namespace

ColumnSettingsDialog::ColumnSettingsDialog(HWND listView, const ReportListBase& list, ReportListView& view)
    : DialogBase(IDD_COLUMNSETTINGS), listView_(listView), list_(list) {
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0));
    layout_.resize(static_cast<std::size_t>(std::max<LRESULT>(0, ::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0))));
    view.CaptureLayout(layout_);
}

void ColumnSettingsDialog::Open(HWND parent, HWND listView, const ReportListBase& list, ReportListView& view) {
    ColumnSettingsDialog dialog(listView, list, view);
    if (dialog.DoModal(parent)) {
        view.ApplyLayout(dialog.layout_);
        ::InvalidateRect(listView, nullptr, TRUE);
    }
    ::SetFocus(listView);
}

int ColumnSettingsDialog::RowCount() const { return static_cast<int>(::SendMessageW(Rows(), LVM_GETITEMCOUNT, 0, 0)); }

int ColumnSettingsDialog::SelectedRow() const {
    return static_cast<int>(::SendMessageW(Rows(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ColumnSettingsDialog::ColumnOfRow(int row) const {
    LVITEMW item = {LVIF_PARAM, row};
    return ::SendMessageW(Rows(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? static_cast<int>(item.lParam) : -1;
}

bool ColumnSettingsDialog::IsChecked(int row) const {
    return (::SendMessageW(Rows(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void ColumnSettingsDialog::SetChecked(int row, bool checked) {
    LVITEMW item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    ::SendMessageW(Rows(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool ColumnSettingsDialog::OnInitDialog() {
    ::SendDlgItemMessageW(window_, IDC_COL_WIDTH, EM_LIMITTEXT, 3, 0);
    Fill();
    CenterWindowOnScreen(window_);
    return false;
}

void ColumnSettingsDialog::Fill() {
    HWND rows = Rows();
    ::SendMessageW(rows, LVM_DELETEALLITEMS, 0, 0);
    while (::SendMessageW(rows, LVM_DELETECOLUMN, 0, 0)) {}
    const DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
    ::SendMessageW(rows, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    LVCOLUMNW column = {LVCF_WIDTH | LVCF_TEXT, 0, ScaleToDpi(kTitleColumnWidth, WindowDpi(window_)), const_cast<wchar_t*>(L"")};
    ::SendMessageW(rows, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    const int count = static_cast<int>(layout_.size());
    for (int position = 0; position < count; ++position) {
        for (int c = 0; c < count; ++c) {
            ColumnLayoutEntry& entry = layout_[static_cast<std::size_t>(c)];
            if (entry.order != position) continue;
            wchar_t title[kTitleChars] = L"";
            LVCOLUMNW read = {LVCF_TEXT, 0, 0, title, kTitleChars};
            if (!::SendMessageW(listView_, LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&read))) continue;
            LVITEMW item = {LVIF_TEXT | LVIF_PARAM, RowCount(), 0, 0, 0, title};
            item.lParam = c;
            const int row = static_cast<int>(::SendMessageW(rows, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            SetChecked(row, entry.width > 0);
            if (entry.width == 0 && c < list_.ColumnCount()) entry.width = static_cast<std::int16_t>(list_.Column(c).shownWidth);
        }
    }
    LVITEMW select = {};
    select.state = select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(rows, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
    ::SetFocus(rows);
}

void ColumnSettingsDialog::SwapRows(int a, int b) {
    wchar_t texts[2][kTitleChars] = {};
    LVITEMW items[2] = {};
    for (int i = 0; i < 2; ++i) {
        items[i] = {LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE, i ? b : a, 0, 0, ~0u, texts[i], kTitleChars};
        ::SendMessageW(Rows(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&items[i]));
    }
    std::swap(items[0].iItem, items[1].iItem);
    for (LVITEMW& item : items) {
        item.stateMask = ~0u;
        ::SendMessageW(Rows(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void ColumnSettingsDialog::OnRowChanged(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE)) return;
    const bool selected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    const bool checkChanged = (change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK;
    const int row = change.iItem;
    if (row < 0 || !(selected || checkChanged)) return;
    if (::SendMessageW(Rows(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED)) {
        ::EnableWindow(::GetDlgItem(window_, IDC_COL_SHOW), !IsChecked(row));
        ::EnableWindow(::GetDlgItem(window_, IDC_COL_HIDE), IsChecked(row));
    }
    if (!selected) return;
    ::EnableWindow(::GetDlgItem(window_, IDC_COL_MOVEUP), row != 0);
    ::EnableWindow(::GetDlgItem(window_, IDC_COL_MOVEDOWN), row != RowCount() - 1);
    const int column = ColumnOfRow(row);
    if (column < 0 || column >= static_cast<int>(layout_.size())) return;
    settingWidth_ = true;
    ::SetDlgItemInt(window_, IDC_COL_WIDTH, static_cast<UINT>(layout_[static_cast<std::size_t>(column)].width), TRUE);
    settingWidth_ = false;
}

std::optional<LRESULT> ColumnSettingsDialog::OnNotify(NMHDR& header) {
    if (header.idFrom != IDC_COL_LIST) return std::nullopt;
    if (header.code == LVN_ITEMCHANGED) {
        OnRowChanged(reinterpret_cast<const NMLISTVIEW&>(header));
    } else if (header.code == NM_DBLCLK) {
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (row >= 0) SetChecked(row, !IsChecked(row));
    }
    return std::nullopt;
}

bool ColumnSettingsDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_COL_WIDTH && code == EN_CHANGE) {
        BOOL ok = FALSE;
        const UINT width = ::GetDlgItemInt(window_, IDC_COL_WIDTH, &ok, FALSE);
        const int row = SelectedRow();
        const int column = row >= 0 ? ColumnOfRow(row) : -1;
        if (!settingWidth_ && ok && width >= 1 && width <= kMaxWidth && column >= 0 &&
            column < static_cast<int>(layout_.size()) && ::SendMessageW(Rows(), LVM_GETSELECTEDCOUNT, 0, 0) == 1)
            layout_[static_cast<std::size_t>(column)].width = static_cast<std::int16_t>(width);
        return true;
    }
    if (code != BN_CLICKED) return false;
    const int row = SelectedRow();
    switch (id) {
    case IDC_COL_MOVEUP:
        if (row >= 1) SwapRows(row, row - 1);
        break;
    case IDC_COL_MOVEDOWN:
        if (row >= 0 && row + 1 < RowCount()) SwapRows(row, row + 1);
        break;
    case IDC_COL_SHOW:
    case IDC_COL_HIDE:
        if (row >= 0) SetChecked(row, id == IDC_COL_SHOW);
        break;
    case IDC_COL_DEFAULT:
        for (std::size_t c = 0; c < layout_.size(); ++c) {
            layout_[c].order = static_cast<std::int16_t>(c);
            if (static_cast<int>(c) < list_.ColumnCount()) layout_[c].width = static_cast<std::int16_t>(list_.Column(static_cast<int>(c)).width);
        }
        Fill();
        break;
    case IDOK:
        Accept();
        End(IDOK);
        break;
    case IDCANCEL:
        End(IDCANCEL);
        break;
    default:
        return false;
    }
    return true;
}

void ColumnSettingsDialog::Accept() {
    for (int row = 0; row < RowCount(); ++row) {
        const int column = ColumnOfRow(row);
        if (column < 0 || column >= static_cast<int>(layout_.size())) continue;
        ColumnLayoutEntry& entry = layout_[static_cast<std::size_t>(column)];
        entry.order = static_cast<std::int16_t>(row);
        if (!IsChecked(row)) entry.width = 0;
        else if (entry.width == 0) entry.width = kShownAgainWidth;
    }
}

}  // namespace es
