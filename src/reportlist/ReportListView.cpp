#include "reportlist/ReportListView.h"

#include <algorithm>

namespace es {

namespace {

constexpr int kMaxLayoutWidth = 2000;

}  // namespace

ReportListView::ReportListView(ReportListBase& list) : list_(list) { cellText_.resize(kTextCapacity); }

ReportListView::~ReportListView() {
    list_.AttachColumnView(nullptr);
    // The list view destroys its own small images; the header does not.
    if (headerImages_) ::ImageList_Destroy(headerImages_);
}

void ReportListView::Attach(HWND listView) {
    listView_ = listView;
    list_.AttachColumnView(listView ? this : nullptr);
}

void ReportListView::CreateColumns() {
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        const ColumnDef& def = list_.Column(c);
        LVCOLUMNW column = {};
        column.mask = static_cast<UINT>(def.mask) | LVCF_FMT;
        column.fmt = def.format;
        column.cx = def.width;
        column.pszText = const_cast<wchar_t*>(def.title.c_str());
        ::SendMessageW(listView_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(def.index), reinterpret_cast<LPARAM>(&column));
    }
}

void ReportListView::CreateImageLists(HINSTANCE instance, int rowImagesId, COLORREF maskColor, int ascendingId,
                                      int descendingId) {
    smallImages_ = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 4);
    ::SendMessageW(listView_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_));
    headerImages_ = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2);
    for (int id : {ascendingId, descendingId}) {
        auto bitmap = static_cast<HBITMAP>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 16, 16, LR_LOADMAP3DCOLORS));
        ::ImageList_AddMasked(headerImages_, bitmap, ::GetSysColor(COLOR_BTNFACE));
        ::DeleteObject(bitmap);
    }
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView_, LVM_GETHEADER, 0, 0));
    ::SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(headerImages_));
    // Shared: the system keeps it, so it is not deleted here.
    auto rows = static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(rowImagesId), IMAGE_BITMAP, 0, 0,
                                                  LR_DEFAULTSIZE | LR_LOADTRANSPARENT | LR_SHARED));
    ::ImageList_AddMasked(smallImages_, rows, maskColor);
}

bool ReportListView::ItemOfRow(int row, std::size_t& item) const {
    LVITEMW lv = {};
    lv.mask = LVIF_PARAM;
    lv.iItem = row;
    if (!::SendMessageW(listView_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lv))) return false;
    if (lv.lParam < 0 || static_cast<std::size_t>(lv.lParam) >= list_.Count()) return false;
    item = static_cast<std::size_t>(lv.lParam);
    return true;
}

void ReportListView::Refresh(bool resort) {
    const std::size_t count = list_.Count();
    std::vector<char> pending(count, 1);
    if (shownImage_.size() != count) shownImage_.assign(count, -1);
    for (int row = RowCount() - 1; row >= 0; --row) {
        std::size_t item;
        if (!ItemOfRow(row, item) || !pending[item]) {
            ::SendMessageW(listView_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
            continue;
        }
        pending[item] = 0;
        UpdateRowTexts(item, row);
    }
    rowMapValid_ = false;
    // Room for every row at once instead of growth step by step.
    ::SendMessageW(listView_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL);
    for (std::size_t i = 0; i < count; ++i) {
        if (!pending[i]) continue;
        const ReportItem& record = list_.ItemAt(i);
        const std::wstring text = record.GetText(0);
        shownImage_[i] = list_.GetItemImage(record);
        LVITEMW lv = {};
        lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        lv.iItem = 65535;
        lv.pszText = const_cast<wchar_t*>(text.c_str());
        lv.iImage = shownImage_[i];
        lv.lParam = static_cast<LPARAM>(i);
        int row = static_cast<int>(::SendMessageW(listView_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv)));
        if (row >= 0) UpdateRowTexts(i, row);
    }
    if (!resort) return;
    SortByColumn(kSavedSort, true);
    SetRowState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ReportListView::CollectRowChanges(std::size_t item, int row, std::vector<CellWrite>& writes,
                                       std::wstring& texts) {
    const ReportItem& record = list_.ItemAt(item);
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        LVITEMW lv = {};
        lv.iSubItem = c;
        lv.pszText = cellText_.data();
        lv.cchTextMax = static_cast<int>(cellText_.size());
        cellText_[0] = L'\0';
        int length = static_cast<int>(::SendMessageW(listView_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                                     reinterpret_cast<LPARAM>(&lv)));
        std::wstring text = record.GetText(c);
        if (text.size() >= cellText_.size()) text.resize(cellText_.size() - 1);
        if (std::wstring_view(cellText_.data(), static_cast<std::size_t>(std::max(length, 0))) == text) continue;
        writes.push_back({row, c, texts.size(), text.size()});
        texts += text;
        texts += L'\0';
    }
}

void ReportListView::SetCellText(int row, int column, const wchar_t* text) {
    LVITEMW lv = {};
    lv.iSubItem = column;
    lv.pszText = const_cast<wchar_t*>(text);
    ::SendMessageW(listView_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&lv));
}

void ReportListView::UpdateRowTexts(std::size_t item, int row) {
    std::vector<CellWrite> writes;
    std::wstring texts;
    CollectRowChanges(item, row, writes, texts);
    for (const CellWrite& w : writes) SetCellText(w.row, w.column, texts.c_str() + w.offset);
}

void ReportListView::UpdateAllRows() {
    std::vector<std::size_t> items(list_.Count());
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = i;
    UpdateRows(items);
}

void ReportListView::UpdateRows(const std::vector<std::size_t>& items) {
    EnsureRowMap();
    if (shownImage_.size() != list_.Count()) shownImage_.resize(list_.Count(), -1);
    std::vector<CellWrite> writes;
    std::wstring texts;
    for (std::size_t item : items) {
        if (item >= rowOfItem_.size() || rowOfItem_[item] < 0) continue;
        const int row = rowOfItem_[item];
        CollectRowChanges(item, row, writes, texts);
        const int image = list_.GetItemImage(list_.ItemAt(item));
        if (image != shownImage_[item]) {
            shownImage_[item] = image;
            writes.push_back({row, -1, static_cast<std::size_t>(image), 0});
        }
    }
    const bool batch = writes.size() >= kBatchWrites;
    if (batch) ::SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
    for (const CellWrite& w : writes) {
        if (w.column >= 0) {
            SetCellText(w.row, w.column, texts.c_str() + w.offset);
            continue;
        }
        LVITEMW lv = {};
        lv.mask = LVIF_IMAGE;
        lv.iItem = w.row;
        lv.iImage = static_cast<int>(w.offset);
        ::SendMessageW(listView_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lv));
    }
    if (batch) ::SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
}

void ReportListView::DeleteAllRows() {
    ::SendMessageW(listView_, LVM_DELETEALLITEMS, 0, 0);
    shownImage_.clear();
    rowMapValid_ = false;
}

void ReportListView::EnsureRowMap() {
    if (rowMapValid_ && rowOfItem_.size() == list_.Count()) return;
    rowOfItem_.assign(list_.Count(), -1);
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) {
        std::size_t item;
        if (ItemOfRow(row, item)) rowOfItem_[item] = row;
    }
    rowMapValid_ = true;
}

void ReportListView::SetHeaderImage(int column, int image) {
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView_, LVM_GETHEADER, 0, 0));
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt = HDF_STRING;
    if (image >= 0) {
        item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
        item.iImage = image;
    }
    ::SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void ReportListView::SortByColumn(int column, bool keepDirection) {
    int key = column;
    const int saved = list_.SavedSortKey();
    if (column == kSavedSort) key = saved;
    else if (!keepDirection && (saved & kSortColumnMask) == column) key = saved ^ kSortDescending;
    list_.SetSavedSortKey(key);
    if (headerImages_) {
        HWND header = reinterpret_cast<HWND>(::SendMessageW(listView_, LVM_GETHEADER, 0, 0));
        const int columns = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        for (int c = 0; c < columns; ++c) SetHeaderImage(c, -1);
        SetHeaderImage(key & kSortColumnMask, (key & kSortDescending) ? 1 : 0);
    }
    sortKey_ = key;
    ::SendMessageW(listView_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(CompareRows));
    rowMapValid_ = false;
}

int CALLBACK ReportListView::CompareRows(LPARAM a, LPARAM b, LPARAM context) {
    auto* self = reinterpret_cast<ReportListView*>(context);
    const std::size_t count = self->list_.Count();
    if (a < 0 || b < 0 || static_cast<std::size_t>(a) >= count || static_cast<std::size_t>(b) >= count) return 0;
    return self->list_.CompareRecords(self->sortKey_, self->list_.ItemAt(static_cast<std::size_t>(a)),
                                      self->list_.ItemAt(static_cast<std::size_t>(b)));
}

LRESULT ReportListView::CustomDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        list_.ComputeVisibleColumns();
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const auto item = static_cast<std::size_t>(draw->nmcd.lItemlParam);
        if (draw->nmcd.lItemlParam >= 0 && item < list_.Count()) {
            CellColors colors;
            list_.CustomDrawCell(list_.ItemAt(item), draw->iSubItem, colors);
            if (colors.set) {
                draw->clrText = colors.text;
                draw->clrTextBk = colors.background;
            }
        }
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void ReportListView::AutoSizeColumns() {
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        if (::SendMessageW(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0) > 0)
            ::SendMessageW(listView_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(LVSCW_AUTOSIZE, 0));
    }
}

int ReportListView::RowCount() const {
    return listView_ ? static_cast<int>(::SendMessageW(listView_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int ReportListView::SelectedCount(bool) const {
    // Selection is the list view's own here: the rows have no check boxes.
    return listView_ ? static_cast<int>(::SendMessageW(listView_, LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

bool ReportListView::IsRowMarked(int row) const {
    return (::SendMessageW(listView_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void ReportListView::SetRowState(int row, UINT state, UINT mask) {
    LVITEMW lv = {};
    lv.stateMask = mask;
    lv.state = state;
    // Every row at once would otherwise redraw each row on its own.
    const bool batch = row < 0 && static_cast<std::size_t>(RowCount()) >= kBatchWrites;
    if (batch) ::SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(listView_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&lv));
    if (batch) ::SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
}

std::vector<std::size_t> ReportListView::ShownItems(bool markedOnly) const {
    std::vector<std::size_t> items;
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) {
        std::size_t item;
        if (!ItemOfRow(row, item)) continue;
        if (markedOnly && !IsRowMarked(row)) continue;
        items.push_back(item);
    }
    return items;
}

bool ReportListView::QueryColumn(int column, int& width, int& order) const {
    LVCOLUMNW lv = {};
    lv.mask = LVCF_WIDTH | LVCF_ORDER;
    if (!::SendMessageW(listView_, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lv)))
        return false;
    width = lv.cx;
    order = lv.iOrder;
    return true;
}

void ReportListView::CaptureLayout(std::vector<ColumnLayoutEntry>& layout) {
    std::fill(layout.begin(), layout.end(), ColumnLayoutEntry{});
    for (std::size_t c = 0; c < layout.size(); ++c) {
        int width = 0, order = 0;
        if (!QueryColumn(static_cast<int>(c), width, order)) continue;
        layout[c].width = static_cast<std::int16_t>(width);
        layout[c].order = static_cast<std::int16_t>(order);
    }
}

void ReportListView::ApplyLayout(const std::vector<ColumnLayoutEntry>& layout) {
    if (std::count_if(layout.begin(), layout.end(), [](const ColumnLayoutEntry& e) { return e.order == 0; }) >= 2)
        return;
    const int count = static_cast<int>(layout.size());
    for (int position = 0; position < count; ++position) {
        auto it = std::find_if(layout.begin(), layout.end(),
                               [&](const ColumnLayoutEntry& e) { return e.order == position; });
        if (it == layout.end()) continue;
        LVCOLUMNW lv = {};
        lv.mask = LVCF_ORDER;
        lv.iOrder = position;
        if (it->width >= 0 && it->width < kMaxLayoutWidth) {
            lv.mask |= LVCF_WIDTH;
            lv.cx = it->width;
        }
        ::SendMessageW(listView_, LVM_SETCOLUMNW, static_cast<WPARAM>(it - layout.begin()), reinterpret_cast<LPARAM>(&lv));
    }
}

}  // namespace es
