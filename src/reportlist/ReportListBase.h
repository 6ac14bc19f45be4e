// The engine behind the report list: columns, their layout and visibility, the sort rule and
// the report properties that the writers ask for. Derived lists supply the rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "reportlist/Sparkline.h"
#include "settings/SettingsStore.h"
#include "support/Color.h"

namespace es {

inline constexpr int kSortColumnMask = 4095;
inline constexpr int kSortDescending = 4096;
// Cell and line texts of reports and sorting hold at most this many characters, terminator included.
inline constexpr std::size_t kTextCapacity = 8192;
// The columns a stored layout held before any was added after them.
inline constexpr std::size_t kClassicColumns = 10;

class ReportItem {
public:
    virtual ~ReportItem() = default;
    virtual std::wstring GetText(int column) const = 0;
    // The number a column is ordered by, read once per sort; false when it is ordered by its text.
    virtual bool SortNumber(int /*column*/, std::uint64_t& /*number*/) const { return false; }
    // The text column is sorted by: a stored text as it is, or GetText kept in scratch.
    virtual std::wstring_view SortText(int column, std::wstring& scratch) const;
};

// One column of the static table a list is built from.
struct ColumnSpec {
    int index;
    int width;           // default width in pixels; 0: hidden by default
    std::uint32_t titleId;
    int textWidth;       // characters in the tabular text report
    int shownWidth = 0;  // the width it is shown at; 0: its default width
};

struct ColumnDef {
    int index = 0;
    int mask = 0;
    int format = 0;
    int width = 0;       // the default width, 0 for a column hidden by default
    int shownWidth = 0;  // the width a hidden column is shown at
    std::wstring title;  // the translated title
};

struct ColumnReportInfo {
    std::wstring htmlWidth;   // width attribute of HTML headers; empty for none
    int noWrap = 1;
    int textWidth = 20;
    std::wstring reportTitle; // the built-in title, for XML names
};

struct ColumnLayoutEntry {
    std::int16_t width = 100;  // 0 = hidden
    std::int16_t order = 0;
};

struct CellStyle {
    std::int32_t background = -1;
    std::int32_t textColor = -1;
    std::int32_t size = -1;
    std::int32_t bold = 0;
};

// The list view side of the columns, as the Win32 binding shows them. Without one attached the
// stored layout stands for the columns.
class ColumnView {
public:
    virtual ~ColumnView() = default;
    // Width and order of a column as shown; false when the column cannot be asked about.
    virtual bool QueryColumn(int column, int& width, int& order) const = 0;
    virtual void CaptureLayout(std::vector<ColumnLayoutEntry>& layout) = 0;
    virtual void ApplyLayout(const std::vector<ColumnLayoutEntry>& layout) = 0;
};

// Colours a list may give one cell when it is drawn.
struct CellColors {
    bool set = false;
    Color text = 0;
    Color background = 0;
};

class ReportListBase {
public:
    virtual ~ReportListBase() = default;

    // Builds the column tables from columns; titles through GetString (translated), report titles
    // from the built-in texts. The layout starts at width 100 and order = index.
    void Initialise(const std::vector<ColumnSpec>& columns, int descendingImage);

    virtual std::size_t Count() const = 0;
    virtual const ReportItem& ItemAt(std::size_t index) const = 0;

    int ColumnCount() const { return static_cast<int>(columnDefs_.size()); }
    const ColumnDef& Column(int index) const { return columnDefs_[static_cast<std::size_t>(index)]; }
    const ColumnReportInfo& ReportInfo(int index) const { return reportDefs_[static_cast<std::size_t>(index)]; }
    std::vector<ColumnLayoutEntry>& Layout() { return layout_; }
    const std::vector<ColumnLayoutEntry>& Layout() const { return layout_; }

    // The visible columns (width above 0) in display order, lower index first within one order.
    void ComputeVisibleColumns();
    const std::vector<int>& VisibleColumns() const { return visibleOrder_; }

    // Sorts a shown order (indexes of records) by key: by the column's numbers where its records
    // have them, else by the texts without regard to case; reversed for a descending key, equal
    // records keeping their order. Each
    // record's number or text is taken once, under RecordsMutex, and the copies are sorted: values
    // that change meanwhile cannot make the order inconsistent.
    void SortOrder(int key, std::vector<std::uint32_t>& order) const;
    // Held while records are read as one consistent set; none by default.
    virtual std::mutex* RecordsMutex() const { return nullptr; }

    // The Columns and Sort values of the configuration. While every column past the first ten is
    // hidden, the value holds the first ten alone, numbered in their display order, as a layout of
    // ten columns always did; a value of any length gives the entries it holds.
    void PersistColumns(SettingsStore& store);
    // Makes the orders of the layout a permutation, keeping the display order they give.
    static void RepairOrders(std::vector<ColumnLayoutEntry>& layout);
    int SavedSortKey() const { return savedSortKey_; }
    void SetSavedSortKey(int key) { savedSortKey_ = key; }

    void AttachColumnView(ColumnView* view) { view_ = view; }

    // Find: whether any searchable cell of the item matches the search text. Whole word: the whole
    // cell equals it; otherwise it occurs in the cell. Without matchCase only A to Z ignore case.
    bool ItemMatchesFind(const ReportItem& item, std::wstring_view text, bool wholeWord, bool matchCase) const;
    virtual bool IsColumnSearchable(int column) const { return column == 0; }

    // The row's image in the small image list.
    virtual int GetItemImage(const ReportItem&) const { return 0; }
    // Called for every cell that the list view draws; leaves colors unset for the defaults.
    virtual void CustomDrawCell(const ReportItem&, int /*column*/, CellColors& /*colors*/) const {}
    // Whether the column's cells are drawn as bars (in the list and the HTML reports) rather than
    // as their texts, which every other use still reads.
    virtual bool IsBarColumn(int /*column*/) const { return false; }
    // The bars of one cell, their heights scaled to fullHeight pixels; returns how many.
    virtual std::size_t GetCellBars(const ReportItem&, int /*column*/, int /*fullHeight*/, CellBars& /*bars*/) const {
        return 0;
    }

    // Report properties.
    virtual std::wstring GetReportTitle() const;
    virtual std::wstring GetReportRootName() const;
    virtual Color GetReportHeaderBackColor() const { return 0xE0E0E0; }
    virtual std::int32_t GetReportHeaderTextColor() const { return -1; }
    virtual std::vector<Color> GetCellPalette(int format) const;
    virtual void GetCellStyle(int format, int position, const ReportItem& item, CellStyle& style) const;
    virtual void DecorateCellHtml(std::wstring& html, const ReportItem& item, int column) const;
    virtual bool IsItemExportable(const ReportItem& item) const;
    // Whether the HTML reports carry the list's document head and end.
    virtual bool WritesHtmlDocument() const { return false; }

protected:
    std::uint32_t titleId_ = 0;

private:
    bool QueryColumn(int column, int& width, int& order) const;

    ColumnView* view_ = nullptr;
    std::vector<ColumnDef> columnDefs_;
    std::vector<ColumnReportInfo> reportDefs_;
    std::vector<ColumnLayoutEntry> layout_;
    std::vector<int> visibleOrder_;
    int ascendingImage_ = 0;
    int descendingImage_ = 0;
    int savedSortKey_ = 0;
};

}  // namespace es
