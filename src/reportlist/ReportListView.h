// Keeps a report-mode list view in step with a ReportListBase: columns, image lists, rows and
// their cells (written only when their text changes), sorting, custom draw and selection.
// Each row's item parameter is the storage index of its record.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

#include "reportlist/ReportListBase.h"

namespace es {

class ReportListView final : public ColumnView {
public:
    // Column 65535 in SortByColumn stands for the saved sort key.
    static constexpr int kSavedSort = 65535;

    explicit ReportListView(ReportListBase& list);
    ~ReportListView() override;
    ReportListView(const ReportListView&) = delete;
    ReportListView& operator=(const ReportListView&) = delete;

    // Binds the list view; the list then asks it about its columns.
    void Attach(HWND listView);

    void CreateColumns();
    // The small images (16 x 16, 24-bit with mask) with the row bitmap added on maskColor, and
    // the header's ascending and descending arrows.
    void CreateImageLists(HINSTANCE instance, int rowImagesId, COLORREF maskColor, int ascendingId, int descendingId);

    // Deletes rows whose record is gone, updates the others, appends the missing ones; with
    // resort, sorts by the saved key and selects the first row.
    void Refresh(bool resort);
    // The cells of one row whose text differs from the record's.
    void UpdateRowTexts(std::size_t item, int row);
    // The cells and icons of the rows of these records that differ from the records (every row for
    // UpdateAllRows). Many writes are made with the list view's drawing off, which costs one fixed
    // price instead of one redraw each.
    void UpdateRows(const std::vector<std::size_t>& items);
    void UpdateAllRows();
    // Cell and image writes from which turning drawing off for the batch is cheaper.
    static constexpr std::size_t kBatchWrites = 400;
    void DeleteAllRows();

    void SortByColumn(int column, bool keepDirection);
    LRESULT CustomDraw(NMLVCUSTOMDRAW* draw);
    void AutoSizeColumns();

    int RowCount() const;
    int SelectedCount(bool forceSelection) const;
    bool IsRowMarked(int row) const;
    bool ItemOfRow(int row, std::size_t& item) const;
    // Row -1 is every row.
    void SetRowState(int row, UINT state, UINT mask);

    // The storage indexes in the order the rows are shown; with markedOnly, the marked rows.
    std::vector<std::size_t> ShownItems(bool markedOnly) const;

    bool QueryColumn(int column, int& width, int& order) const override;
    void CaptureLayout(std::vector<ColumnLayoutEntry>& layout) override;
    void ApplyLayout(const std::vector<ColumnLayoutEntry>& layout) override;

private:
    struct CellWrite {
        int row;
        int column;  // -1: the row's image, held in offset
        std::size_t offset, length;
    };
    // Compares the row's cells and image with the record, noting what differs.
    void CollectRowChanges(std::size_t item, int row, std::vector<CellWrite>& writes, std::wstring& texts);
    void SetCellText(int row, int column, const wchar_t* text);
    void SetHeaderImage(int column, int image);
    // The row of each storage index, rebuilt after rows were added, deleted or sorted.
    void EnsureRowMap();
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM self);

    ReportListBase& list_;
    HWND listView_ = nullptr;
    HIMAGELIST smallImages_ = nullptr;
    HIMAGELIST headerImages_ = nullptr;
    std::vector<int> shownImage_;  // by storage index; -1 before the row's first image
    std::vector<int> rowOfItem_;
    bool rowMapValid_ = false;
    int sortKey_ = 0;
    std::wstring cellText_;  // the list view's text of the cell being compared
};

}  // namespace es
