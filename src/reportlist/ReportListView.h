// Keeps an owner-data report list view (LVS_OWNERDATA) in step with a ReportListBase: columns,
// image lists, the shown order of the records, sorting, custom draw and selection. The control
// holds no texts: it asks for each visible cell through LVN_GETDISPINFOW, so a refresh only has
// to repaint the changed rows that are on screen, and another process reading the list with
// LVM_GETITEMTEXTW is answered from the records all the same.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

#include "reportlist/ReportListBase.h"
#include "support/Handles.h"

namespace es {

class ReportListView final : public ColumnView {
public:
    // Column 65535 in SortByColumn stands for the saved sort key.
    static constexpr int kSavedSort = 65535;

    explicit ReportListView(ReportListBase& list);
    ~ReportListView() override { list_.AttachColumnView(nullptr); }
    ReportListView(const ReportListView&) = delete;
    ReportListView& operator=(const ReportListView&) = delete;

    // Binds the list view; the list then asks it about its columns.
    void Attach(HWND listView);

    // The DPI the list is shown at: widths the list is given or asked for (defaults, layouts) are
    // at 96 DPI, the list view's own at this one. A new DPI rescales the shown columns.
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }
    void CreateColumns();
    // The small images (imageSize square, 24-bit with mask; made anew on each call) with the row
    // bitmap added on maskColor, and the header's ascending and descending arrows.
    void CreateImageLists(HINSTANCE instance, int imageSize, int rowImagesId, COLORREF maskColor, int ascendingId,
                          int descendingId);

    // Shows every record, in storage order; with resort, sorted by the saved key with the first row
    // selected.
    void Refresh(bool resort);
    // Repaints the rows of these records that are on screen (every row for UpdateAllRows).
    void UpdateRows(const std::vector<std::size_t>& items);
    void UpdateAllRows();
    void DeleteAllRows();
    // LVN_GETDISPINFOW: the text and image of a cell, from its record.
    void GetDisplayInfo(NMLVDISPINFOW& info) const;
    // Rows repainted since the view was made (tests: a refresh with nothing new repaints nothing).
    std::size_t RepaintedRows() const { return repaintedRows_; }
    // Select All over more rows than this turns drawing off meanwhile.
    static constexpr std::size_t kBatchWrites = 400;

    void SortByColumn(int column, bool keepDirection);
    LRESULT CustomDraw(NMLVCUSTOMDRAW* draw);
    // Each visible column fits the widest of its texts over every row, as LVSCW_AUTOSIZE would
    // over a list holding its texts, and its title when that is wider.
    void AutoSizeColumns();
    // Columns first to last: shown at their shown widths after the last visible column, or hidden.
    void ShowColumns(int first, int last, bool show);
    // Whether every column from first to last is visible.
    bool ColumnsShown(int first, int last) const;
    // LVN_ODFINDITEMW: the row whose text in the first visible column matches, or -1.
    int FindRow(const NMLVFINDITEMW& find);

    int RowCount() const;
    int SelectedCount() const;
    bool ItemOfRow(int row, std::size_t& item) const;
    // Row -1 is every row.
    void SetRowState(int row, UINT state, UINT mask);

    // The storage indexes in the order the rows are shown; with markedOnly, the marked rows.
    std::vector<std::size_t> ShownItems(bool markedOnly) const;

    bool QueryColumn(int column, int& width, int& order) const override;
    void CaptureLayout(std::vector<ColumnLayoutEntry>& layout) override;
    void ApplyLayout(const std::vector<ColumnLayoutEntry>& layout) override;

private:
    void SetHeaderImage(int column, int image);
    // A cell of a bar column: the row's background (selection, then the list's colours for the
    // row, then the control's), then one PatBlt per bar.
    COLORREF RowBackground(const NMLVCUSTOMDRAW& draw, const CellColors& colors, bool& selectedFocused) const;
    void DrawBarCell(const NMLVCUSTOMDRAW& draw, const ReportItem& record, const CellColors& colors) const;
    void IndexRows();

    ReportListBase& list_;
    HWND listView_ = nullptr;
    HIMAGELIST smallImages_ = nullptr;  // the list view destroys its own small images
    int imageSize_ = 16;
    int dpi_ = 96;
    ImageListHandle headerImages_;      // the header does not
    std::vector<std::uint32_t> itemOfRow_;  // the storage index shown in each row
    std::vector<int> rowOfItem_;          // and back; -1 for none
    std::size_t repaintedRows_ = 0;
};

}  // namespace es
