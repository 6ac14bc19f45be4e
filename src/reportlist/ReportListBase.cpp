#include "reportlist/ReportListBase.h"

#include <algorithm>
#include <optional>

#include "lang/StringTable.h"
#include "support/CallHolds.h"
#include "support/Text.h"

namespace es {

std::wstring_view ReportItem::SortText(int column, std::wstring& scratch) const {
    scratch = GetText(column);
    return scratch;
}

namespace {

bool CellMatches(std::wstring_view cell, std::wstring_view text, bool wholeWord, bool matchCase) {
    if (wholeWord) return matchCase ? cell == text : CompareNoCase(cell, text) == 0;
    if (text.size() > cell.size()) return false;
    for (std::size_t at = 0; at + text.size() <= cell.size(); ++at) {
        const std::wstring_view part = cell.substr(at, text.size());
        if (matchCase ? part == text : EqualsNoCase(part, text)) return true;
    }
    return false;
}

}  // namespace

bool ReportListBase::ItemMatchesFind(const ReportItem& item, std::wstring_view text, bool wholeWord,
                                     bool matchCase) const {
    for (int c = 0; c < ColumnCount(); ++c) {
        if (IsColumnSearchable(c) && CellMatches(item.GetText(c), text, wholeWord, matchCase)) return true;
    }
    return false;
}

void ReportListBase::Initialise(const std::vector<ColumnSpec>& columns, int descendingImage) {
    columnDefs_.clear();
    reportDefs_.clear();
    for (const ColumnSpec& c : columns) {
        ColumnDef def;
        def.index = c.index;
        def.mask = 0x0006;  // width and text
        def.width = c.width;
        def.shownWidth = c.shownWidth ? c.shownWidth : c.width;
        def.title = GetString(c.titleId);
        columnDefs_.push_back(def);
        ColumnReportInfo info;
        info.textWidth = c.textWidth;
        info.reportTitle = GetString(c.titleId + kUntranslated);
        reportDefs_.push_back(info);
    }
    ascendingImage_ = 0;
    descendingImage_ = descendingImage;
    layout_.assign(columns.size(), ColumnLayoutEntry{});
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        layout_[i].order = static_cast<std::int16_t>(i);
        if (columns[i].width == 0) layout_[i].width = 0;
    }
    visibleOrder_.clear();
}

bool ReportListBase::QueryColumn(int column, int& width, int& order) const {
    if (view_) return view_->QueryColumn(column, width, order);
    const ColumnLayoutEntry& entry = layout_[static_cast<std::size_t>(column)];
    width = entry.width;
    order = entry.order;
    return true;
}

void ReportListBase::ComputeVisibleColumns() {
    const int count = ColumnCount();
    std::vector<int> orderOf(static_cast<std::size_t>(count), -1);
    for (int c = 0; c < count; ++c) {
        int width = 0, order = 0;
        if (QueryColumn(c, width, order) && width > 0) orderOf[static_cast<std::size_t>(c)] = std::clamp(order, 0, count - 1);
    }
    visibleOrder_.clear();
    for (int position = 0; position < count; ++position) {
        for (int c = 0; c < count; ++c) {
            if (orderOf[static_cast<std::size_t>(c)] == position) visibleOrder_.push_back(c);
        }
    }
}

namespace {
constexpr int kComputedLengthShift = 48;
constexpr std::uint64_t kComputedOffsetMask = (std::uint64_t{1} << kComputedLengthShift) - 1;
}  // namespace

void ReportListBase::SortOrder(int key, std::vector<std::size_t>& order) const {
    const int column = key & kSortColumnMask;
    const bool descending = (key & kSortDescending) != 0;
    // Each key carries its record's value and its place, so that equal values keep their order
    // without the extra buffer of a stable sort; texts that are not stored are kept once, one after
    // another in computed (a string each would double what 65,535 rows cost to sort).
    struct SortKey {
        std::uint64_t number = 0;
        std::wstring_view text;
        std::uint32_t item = 0;
        std::uint32_t place = 0;
    };
    std::vector<SortKey> keys(order.size());
    std::wstring computed;
    bool numeric = false, decided = false;
    {
        std::optional<HeldLock<std::mutex>> lock;
        if (std::mutex* records = RecordsMutex()) lock.emplace(*records);
        const std::size_t count = Count();
        std::wstring scratch;
        for (std::size_t i = 0; i < order.size(); ++i) {
            SortKey& k = keys[i];
            k.item = static_cast<std::uint32_t>(order[i]);
            k.place = static_cast<std::uint32_t>(i);
            if (order[i] >= count) continue;
            const ReportItem& record = ItemAt(order[i]);
            // A record type orders a column either always by a number or always by the texts.
            if (!decided || numeric) {
                const bool hasNumber = record.SortNumber(column, k.number);
                if (!decided) numeric = hasNumber, decided = true;
                if (numeric) continue;
            }
            k.number = 0;
            const std::wstring_view text = record.SortText(column, scratch);
            if (text.data() != scratch.data()) {
                k.text = text;
                continue;
            }
            // Where it starts and how long it is, until computed stops growing; texts are lines
            // of at most 8192 characters.
            k.number = (std::uint64_t{text.size()} << kComputedLengthShift) | computed.size();
            computed += text;
        }
    }
    for (SortKey& k : keys)
        if (!numeric && k.text.data() == nullptr && k.number != 0)
            k.text = std::wstring_view(computed).substr(k.number & kComputedOffsetMask, k.number >> kComputedLengthShift);
    std::sort(keys.begin(), keys.end(), [descending, numeric](const SortKey& a, const SortKey& b) {
        const int result = numeric ? (a.number > b.number) - (a.number < b.number) : CompareNoCase(a.text, b.text);
        if (result != 0) return descending ? result > 0 : result < 0;
        return a.place < b.place;
    });
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = keys[i].item;
}

void ReportListBase::PersistColumns(SettingsStore& store) {
    if (store.IsWriting() && view_) view_->CaptureLayout(layout_);
    std::vector<ColumnLayoutEntry> entries = layout_;
    const bool extrasHidden = std::all_of(entries.begin() + std::min<std::size_t>(kClassicColumns, entries.size()), entries.end(),
                                          [](const ColumnLayoutEntry& e) { return e.width == 0; });
    if (store.IsWriting() && extrasHidden && entries.size() > kClassicColumns) {
        entries.resize(kClassicColumns);
        RepairOrders(entries);
    }
    // The value is laid over the current entries, so a short value changes only the first ones.
    std::vector<std::uint8_t> bytes(entries.size() * 4);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto w = static_cast<std::uint16_t>(entries[i].width), o = static_cast<std::uint16_t>(entries[i].order);
        bytes[i * 4] = static_cast<std::uint8_t>(w);
        bytes[i * 4 + 1] = static_cast<std::uint8_t>(w >> 8);
        bytes[i * 4 + 2] = static_cast<std::uint8_t>(o);
        bytes[i * 4 + 3] = static_cast<std::uint8_t>(o >> 8);
    }
    std::size_t size = bytes.size();
    int found = store.ExchangeBinary(L"Columns", bytes.data(), size);
    store.ExchangeInt(L"Sort", savedSortKey_, 0);
    if (store.IsWriting() || !found) return;
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        layout_[i].width = static_cast<std::int16_t>(bytes[i * 4] | (bytes[i * 4 + 1] << 8));
        layout_[i].order = static_cast<std::int16_t>(bytes[i * 4 + 2] | (bytes[i * 4 + 3] << 8));
    }
    RepairOrders(layout_);
    if (view_) view_->ApplyLayout(layout_);
}

void ReportListBase::RepairOrders(std::vector<ColumnLayoutEntry>& layout) {
    std::vector<std::size_t> columns(layout.size());
    for (std::size_t i = 0; i < columns.size(); ++i) columns[i] = i;
    std::stable_sort(columns.begin(), columns.end(),
                     [&](std::size_t a, std::size_t b) { return layout[a].order < layout[b].order; });
    for (std::size_t position = 0; position < columns.size(); ++position)
        layout[columns[position]].order = static_cast<std::int16_t>(position);
}

std::wstring ReportListBase::GetReportTitle() const { return titleId_ ? GetString(titleId_) : L""; }

std::wstring ReportListBase::GetReportRootName() const {
    return titleId_ ? GetString(titleId_ + kUntranslated) : GetReportTitle();
}

std::vector<Color> ReportListBase::GetCellPalette(int) const { return {0xFFFFFF}; }

void ReportListBase::GetCellStyle(int format, int position, const ReportItem&, CellStyle& style) const {
    style.background = static_cast<std::int32_t>(InterpolateColor(position, ColumnCount() - 1, GetCellPalette(format)));
    style.textColor = -1;
    style.size = -1;
}

void ReportListBase::DecorateCellHtml(std::wstring&, const ReportItem&, int) const {}

bool ReportListBase::IsItemExportable(const ReportItem&) const { return true; }

}  // namespace es
