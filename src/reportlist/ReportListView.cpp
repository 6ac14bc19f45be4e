#include "reportlist/ReportListView.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>
#include <unordered_map>

#include "support/DpiScale.h"
#include "support/Palette.h"
#include "support/Text.h"

namespace es {

namespace {

constexpr int kMaxLayoutWidth = 2000;
// What the list view adds to a cell's text when it sizes a column to it, and the header to a title.
constexpr int kCellPadding = 12;
constexpr int kTitlePadding = 11;
// Bars keep clear of the cell's edges, where the grid lines and the focus rectangle go.
constexpr int kBarInsetX = 2;
constexpr int kBarInsetY = 2;

// Text widths in one font, summed from the widths of single characters: GDI does not kern, so the
// sum is the extent of the whole text, and the characters of a column repeat row after row.
class TextMeasure {
public:
    TextMeasure(HDC dc, HFONT font) : dc_(dc), font_(dc, font) {}
    int Width(std::wstring_view text) {
        int width = 0;
        for (wchar_t ch : text) width += CharWidth(ch);
        return width;
    }

private:
    int CharWidth(wchar_t ch) {
        const auto code = static_cast<std::uint32_t>(ch);
        if (code < ascii_.size()) {
            if (ascii_[code] < 0) ascii_[code] = Measure(ch);
            return ascii_[code];
        }
        auto [known, added] = others_.try_emplace(code, 0);
        if (added) known->second = Measure(ch);
        return known->second;
    }
    int Measure(wchar_t ch) const {
        SIZE size = {};
        ::GetTextExtentPoint32W(dc_, &ch, 1, &size);
        return static_cast<int>(size.cx);
    }

    HDC dc_;
    SelectedObject font_;
    std::array<int, 128> ascii_ = MakeUnknown();
    std::unordered_map<std::uint32_t, int> others_;

    static std::array<int, 128> MakeUnknown() {
        std::array<int, 128> widths;
        widths.fill(-1);
        return widths;
    }
};

}  // namespace

ReportListView::ReportListView(ReportListBase& list) : list_(list) {}

void ReportListView::Attach(HWND listView) {
    listView_ = listView;
    list_.AttachColumnView(listView ? this : nullptr);
}

void ReportListView::SetDpi(int dpi) {
    const int previous = dpi_;
    dpi_ = dpi;
    if (!listView_ || previous == dpi) return;
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        const auto width = static_cast<int>(::SendMessageW(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
        if (width > 0)
            ::SendMessageW(listView_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(RescaleDpi(width, previous, dpi), 0));
    }
}

void ReportListView::CreateColumns() {
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        const ColumnDef& def = list_.Column(c);
        LVCOLUMNW column = {};
        column.mask = static_cast<UINT>(def.mask) | LVCF_FMT;
        column.fmt = def.format;
        column.cx = ScaleToDpi(def.width, dpi_);
        column.pszText = const_cast<wchar_t*>(def.title.c_str());
        ::SendMessageW(listView_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(def.index), reinterpret_cast<LPARAM>(&column));
    }
}

void ReportListView::CreateImageLists(HINSTANCE instance, int imageSize, int rowImagesId, COLORREF maskColor,
                                      int ascendingId, int descendingId) {
    imageSize_ = imageSize;
    HIMAGELIST previous = smallImages_;
    smallImages_ = ::ImageList_Create(imageSize, imageSize, ILC_COLOR24 | ILC_MASK, 4, 4);
    ::SendMessageW(listView_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_));
    if (previous) ::ImageList_Destroy(previous);  // a list replaced is no longer the list view's
    ImageListHandle headerImages(::ImageList_Create(imageSize, imageSize, ILC_COLOR24 | ILC_MASK, 2, 2));
    for (int id : {ascendingId, descendingId}) {
        auto bitmap = static_cast<HBITMAP>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, imageSize, imageSize, LR_LOADMAP3DCOLORS));
        ::ImageList_AddMasked(headerImages.Get(), bitmap, ::GetSysColor(COLOR_BTNFACE));
        ::DeleteObject(bitmap);
    }
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView_, LVM_GETHEADER, 0, 0));
    ::SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(headerImages.Get()));
    headerImages_ = std::move(headerImages);
    // Shared: the system keeps it, so it is not deleted here.
    auto rows = static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(rowImagesId), IMAGE_BITMAP, 0, 0,
                                                  LR_DEFAULTSIZE | LR_LOADTRANSPARENT | LR_SHARED));
    ::ImageList_AddMasked(smallImages_, rows, maskColor);
}

bool ReportListView::ItemOfRow(int row, std::size_t& item) const {
    if (row < 0 || static_cast<std::size_t>(row) >= itemOfRow_.size()) return false;
    item = itemOfRow_[static_cast<std::size_t>(row)];
    return item < list_.Count();
}

void ReportListView::IndexRows() {
    rowOfItem_.assign(list_.Count(), -1);
    for (std::size_t row = 0; row < itemOfRow_.size(); ++row)
        if (itemOfRow_[row] < rowOfItem_.size()) rowOfItem_[itemOfRow_[row]] = static_cast<int>(row);
}

void ReportListView::Refresh(bool resort) {
    itemOfRow_.resize(list_.Count());
    std::iota(itemOfRow_.begin(), itemOfRow_.end(), 0u);
    // Rows just emptied carry no selection over, so the sort that follows indexes them alone.
    if (!resort || !rowOfItem_.empty()) IndexRows();
    ::SendMessageW(listView_, LVM_SETITEMCOUNT, static_cast<WPARAM>(itemOfRow_.size()), 0);
    if (!resort) return;
    SortByColumn(kSavedSort, true);
    SetRowState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ReportListView::GetDisplayInfo(NMLVDISPINFOW& info) const {
    std::size_t item = 0;
    if (!ItemOfRow(info.item.iItem, item)) return;
    const ReportItem& record = list_.ItemAt(item);
    if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        const std::wstring text = record.GetText(info.item.iSubItem);
        const std::size_t length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(info.item.cchTextMax) - 1);
        text.copy(info.item.pszText, length);
        info.item.pszText[length] = L'\0';
    }
    if (info.item.mask & LVIF_IMAGE) info.item.iImage = list_.GetItemImage(record);
}

void ReportListView::UpdateAllRows() {
    repaintedRows_ += itemOfRow_.size();
    ::InvalidateRect(listView_, nullptr, FALSE);
}

void ReportListView::UpdateRows(const std::vector<std::size_t>& items) {
    if (items.empty() || !listView_) return;
    const int top = static_cast<int>(::SendMessageW(listView_, LVM_GETTOPINDEX, 0, 0));
    const int last = top + static_cast<int>(::SendMessageW(listView_, LVM_GETCOUNTPERPAGE, 0, 0));
    for (std::size_t item : items) {
        const int row = item < rowOfItem_.size() ? rowOfItem_[item] : -1;
        if (row < top || row > last) continue;
        RECT rect = {LVIR_BOUNDS};
        if (!::SendMessageW(listView_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect))) continue;
        ::InvalidateRect(listView_, &rect, FALSE);
        ++repaintedRows_;
    }
}

void ReportListView::DeleteAllRows() {
    itemOfRow_.clear();
    rowOfItem_.clear();
    ::SendMessageW(listView_, LVM_SETITEMCOUNT, 0, 0);
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
    // The selection belongs to the rows of the control: it is carried over to where each selected
    // record moves. A stable sort keeps equal records in the order they were shown.
    const int rows = RowCount();
    const int selected = SelectedCount();
    std::vector<std::size_t> marked;
    std::size_t focused = SIZE_MAX;
    const int focusRow = static_cast<int>(::SendMessageW(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focusRow >= 0 && static_cast<std::size_t>(focusRow) < itemOfRow_.size()) focused = itemOfRow_[static_cast<std::size_t>(focusRow)];
    // The Shift+click anchor stays on its record too.
    std::size_t anchor = SIZE_MAX;
    ItemOfRow(static_cast<int>(::SendMessageW(listView_, LVM_GETSELECTIONMARK, 0, 0)), anchor);
    const bool carrySelection = selected > 0 && selected < rows;
    std::vector<int> previousRows;
    if (carrySelection) {
        marked = ShownItems(true);
        for (std::size_t item : marked) previousRows.push_back(rowOfItem_[item]);
    }
    list_.SortOrder(key, itemOfRow_);
    IndexRows();
    // A few selected rows are moved one by one, each repainting only itself; clearing every row
    // costs the control a pass over all of them, and is done with drawing off.
    if (carrySelection && marked.size() < kBatchWrites) {
        std::vector<int> moved;
        for (std::size_t item : marked) moved.push_back(rowOfItem_[item]);
        std::sort(moved.begin(), moved.end());
        for (int row : previousRows)
            if (!std::binary_search(moved.begin(), moved.end(), row)) SetRowState(row, 0, LVIS_SELECTED);
        for (int row : moved) SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
    } else if (carrySelection) {
        ::SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
        SetRowState(-1, 0, LVIS_SELECTED);
        for (std::size_t item : marked) SetRowState(rowOfItem_[item], LVIS_SELECTED, LVIS_SELECTED);
        ::SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
    }
    if (focused < rowOfItem_.size() && rowOfItem_[focused] >= 0) SetRowState(rowOfItem_[focused], LVIS_FOCUSED, LVIS_FOCUSED);
    if (anchor < rowOfItem_.size()) ::SendMessageW(listView_, LVM_SETSELECTIONMARK, 0, rowOfItem_[anchor]);
    ::InvalidateRect(listView_, nullptr, FALSE);
}

COLORREF ReportListView::RowBackground(const NMLVCUSTOMDRAW& draw, const CellColors& colors, bool& selectedFocused) const {
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    const bool selected = (::SendMessageW(listView_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
    selectedFocused = selected && ::GetFocus() == listView_;
    if (selectedFocused) return ::GetSysColor(COLOR_HIGHLIGHT);
    if (selected && (::GetWindowLongW(listView_, GWL_STYLE) & LVS_SHOWSELALWAYS))
        return ActivePalette().dark ? ActivePalette().inactiveSelection.background : ::GetSysColor(COLOR_BTNFACE);
    if (colors.set) return colors.background;
    if (draw.clrTextBk != CLR_DEFAULT && draw.clrTextBk != CLR_NONE) return draw.clrTextBk;
    const auto back = static_cast<COLORREF>(::SendMessageW(listView_, LVM_GETBKCOLOR, 0, 0));
    return back == CLR_NONE ? ::GetSysColor(COLOR_WINDOW) : back;
}

void ReportListView::DrawBarCell(const NMLVCUSTOMDRAW& draw, const ReportItem& record, const CellColors& colors) const {
    const RECT& cell = draw.nmcd.rc;
    HDC dc = draw.nmcd.hdc;
    bool selectedFocused = false;
    const COLORREF background = RowBackground(draw, colors, selectedFocused);
    // On the selection's colour the bars take its text colour, as the text of the row does.
    const COLORREF barColor = selectedFocused ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : kBarColor;
    const SelectedObject brush(dc, ::GetStockObject(DC_BRUSH));
    const COLORREF previous = ::SetDCBrushColor(dc, background);
    ::PatBlt(dc, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, PATCOPY);
    const int insetX = ScaleToDpi(kBarInsetX, dpi_), insetY = ScaleToDpi(kBarInsetY, dpi_);
    const int width = cell.right - cell.left - 2 * insetX, height = cell.bottom - cell.top - 2 * insetY;
    CellBars bars;
    BarRects rects;
    const std::size_t count = LayoutBars(bars, list_.GetCellBars(record, draw.iSubItem, height, bars), cell.left + insetX,
                                         cell.top + insetY, width, height, rects, ScaleToDpi(1, dpi_));
    for (std::size_t i = 0; i < count; ++i) {
        const BarRect& bar = rects[i];
        ::SetDCBrushColor(dc, bar.alert ? kAlertBarColor : barColor);
        ::PatBlt(dc, bar.left, bar.top, bar.width, bar.height, PATCOPY);
    }
    ::SetDCBrushColor(dc, previous);
}

LRESULT ReportListView::CustomDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        list_.ComputeVisibleColumns();
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        std::size_t item = 0;
        if (ItemOfRow(static_cast<int>(draw->nmcd.dwItemSpec), item)) {
            CellColors colors;
            list_.CustomDrawCell(list_.ItemAt(item), draw->iSubItem, colors);
            // The list paints a selection it has not the focus for in the light button face; in the
            // dark theme the row is drawn unselected in the palette's colours for it instead.
            const auto row = static_cast<WPARAM>(draw->nmcd.dwItemSpec);
            if (ActivePalette().dark && ::GetFocus() != listView_ &&
                (::SendMessageW(listView_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED)) {
                draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
                colors = {true, ActivePalette().inactiveSelection.text, ActivePalette().inactiveSelection.background};
            }
            if (list_.IsBarColumn(draw->iSubItem) && draw->iSubItem != 0) {
                DrawBarCell(*draw, list_.ItemAt(item), colors);
                return CDRF_SKIPDEFAULT;
            }
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
    const WindowDC dc(listView_);
    if (!dc) return;
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView_, LVM_GETHEADER, 0, 0));
    TextMeasure cells(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(listView_, WM_GETFONT, 0, 0)));
    std::vector<int> widths(static_cast<std::size_t>(list_.ColumnCount()), -1);
    for (int c = 0; c < list_.ColumnCount(); ++c)
        if (::SendMessageW(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0) > 0) widths[static_cast<std::size_t>(c)] = 0;
    std::wstring scratch;
    for (std::size_t item : itemOfRow_) {
        if (item >= list_.Count()) continue;
        const ReportItem& record = list_.ItemAt(item);
        for (int c = 0; c < list_.ColumnCount(); ++c) {
            int& width = widths[static_cast<std::size_t>(c)];
            if (width >= 0 && !list_.IsBarColumn(c)) width = std::max(width, cells.Width(record.SortText(c, scratch)));
        }
    }
    TextMeasure titles(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(header, WM_GETFONT, 0, 0)));
    // Each new width would lay out and paint the whole list again: once, at the end.
    ::SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        int width = widths[static_cast<std::size_t>(c)];
        if (width < 0) continue;
        width += kCellPadding + (c == 0 && smallImages_ ? imageSize_ : 0);
        // Bars are drawn, not their text: a bar column fits its bars.
        if (list_.IsBarColumn(c)) width = ScaleToDpi(list_.Column(c).shownWidth, dpi_);
        width = std::max(width, titles.Width(list_.Column(c).title) + kTitlePadding);
        ::SendMessageW(listView_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(width, 0));
    }
    ::SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(listView_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ReportListView::ShowColumns(int first, int last, bool show) {
    const int count = list_.ColumnCount();
    std::vector<int> order(static_cast<std::size_t>(count));
    ::SendMessageW(listView_, LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()));
    if (show) {
        const auto isMoved = [&](int c) { return c >= first && c <= last; };
        std::vector<int> others;
        std::copy_if(order.begin(), order.end(), std::back_inserter(others), [&](int c) { return !isMoved(c); });
        auto after = others.begin();
        for (auto it = others.begin(); it != others.end(); ++it)
            if (::SendMessageW(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(*it), 0) > 0) after = it + 1;
        std::vector<int> moved;
        for (int c = first; c <= last && c < count; ++c) moved.push_back(c);
        others.insert(after, moved.begin(), moved.end());
        ::SendMessageW(listView_, LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(others.data()));
    }
    for (int c = first; c <= last && c < count; ++c)
        ::SendMessageW(listView_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(show ? ScaleToDpi(list_.Column(c).shownWidth, dpi_) : 0, 0));
}

bool ReportListView::ColumnsShown(int first, int last) const {
    for (int c = first; c <= last; ++c)
        if (::SendMessageW(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0) <= 0) return false;
    return true;
}

int ReportListView::FindRow(const NMLVFINDITEMW& find) {
    const LVFINDINFOW& info = find.lvfi;
    if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz) return -1;
    list_.ComputeVisibleColumns();
    if (list_.VisibleColumns().empty()) return -1;
    const int column = list_.VisibleColumns().front();
    const std::wstring_view text = info.psz;
    const bool prefix = (info.flags & LVFI_PARTIAL) != 0;
    const std::size_t rows = itemOfRow_.size();
    const std::size_t start = find.iStart >= 0 && static_cast<std::size_t>(find.iStart) < rows ? static_cast<std::size_t>(find.iStart) : 0;
    const std::size_t span = (info.flags & LVFI_WRAP) ? rows : rows - start;
    std::wstring scratch;
    for (std::size_t n = 0; n < span; ++n) {
        const std::size_t row = (start + n) % rows;
        if (itemOfRow_[row] >= list_.Count()) continue;
        std::wstring_view cell = list_.ItemAt(itemOfRow_[row]).SortText(column, scratch);
        if (prefix) cell = cell.substr(0, text.size());
        if (cell.size() == text.size() && EqualsNoCase(cell, text)) return static_cast<int>(row);
    }
    return -1;
}

int ReportListView::RowCount() const {
    return listView_ ? static_cast<int>(::SendMessageW(listView_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int ReportListView::SelectedCount() const {
    // Selection is the list view's own here: the rows have no check boxes.
    return listView_ ? static_cast<int>(::SendMessageW(listView_, LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
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
    if (!markedOnly) return {itemOfRow_.begin(), itemOfRow_.end()};
    std::vector<std::size_t> items;
    for (int row = -1; (row = static_cast<int>(::SendMessageW(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0;)
        if (static_cast<std::size_t>(row) < itemOfRow_.size()) items.push_back(itemOfRow_[static_cast<std::size_t>(row)]);
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
        layout[c].width = static_cast<std::int16_t>(UnscaleFromDpi(width, dpi_));
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
            lv.cx = ScaleToDpi(it->width, dpi_);
        }
        ::SendMessageW(listView_, LVM_SETCOLUMNW, static_cast<WPARAM>(it - layout.begin()), reinterpret_cast<LPARAM>(&lv));
    }
    // The whole order once more as it now stands: a list view may keep where it draws each column
    // and take the new places only from a whole order (Wine's drew cells under other headers).
    std::vector<int> order(static_cast<std::size_t>(count));
    if (::SendMessageW(listView_, LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data())))
        ::SendMessageW(listView_, LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()));
}

}  // namespace es
