#include "reportlist/ReportListBase.h"

#include <algorithm>
#include <cstdint>
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

// A record's number or text and its place: equal values keep their order without the extra buffer
// of a stable sort.
struct SortKey {
    std::uint64_t value = 0;   // the number, or where the text starts
    std::uint32_t length = 0;  // of the text; kComputed while value is an offset in computed
    std::uint32_t place = 0;   // in order
    std::wstring_view Text() const { return {reinterpret_cast<const wchar_t*>(value), length}; }
};
constexpr std::uint32_t kComputed = 0x80000000;

}  // namespace

void ReportListBase::SortOrder(int key, std::vector<std::uint32_t>& order) const {
    const int column = key & kSortColumnMask;
    const bool descending = (key & kSortDescending) != 0;
    // Each record's value is read once, under the records' lock, and the copies are sorted. A record
    // type orders a column either always by a number or always by the texts.
    std::vector<std::uint64_t> numbers;
    numbers.reserve(order.size());  // a column of texts gives up at its first record, before any is touched
    bool numeric = true, wide = false;
    {
        std::optional<HeldLock<std::mutex>> lock;
        if (std::mutex* records = RecordsMutex()) lock.emplace(*records);
        const std::size_t count = Count();
        for (std::size_t i = 0; i < order.size() && numeric; ++i) {
            std::uint64_t number = 0;
            numeric = order[i] >= count || ItemAt(order[i]).SortNumber(column, number);
            wide |= number > UINT32_MAX;
            numbers.push_back(number);
        }
    }
    if (numeric && !wide) {
        // Numbers of 32 bits sort as one 64-bit key each, the number (inverted when descending)
        // above its place: 8 bytes a record.
        for (std::size_t i = 0; i < numbers.size(); ++i)
            numbers[i] = (descending ? UINT32_MAX - numbers[i] : numbers[i]) << 32 | i;
        std::sort(numbers.begin(), numbers.end());
        for (std::uint64_t& n : numbers) n = order[n & UINT32_MAX];
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(numbers[i]);
        return;
    }
    // Otherwise a key of 16 bytes each; texts that are not stored are kept once, one after another
    // in computed (a string each would double what 65,535 rows cost to sort).
    std::vector<SortKey> keys(order.size());
    std::wstring computed;
    if (numeric) {
        for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = {numbers[i], 0, static_cast<std::uint32_t>(i)};
    } else {
        std::optional<HeldLock<std::mutex>> lock;
        if (std::mutex* records = RecordsMutex()) lock.emplace(*records);
        const std::size_t count = Count();
        std::wstring scratch;
        for (std::size_t i = 0; i < order.size(); ++i) {
            SortKey& k = keys[i];
            k.place = static_cast<std::uint32_t>(i);
            if (order[i] >= count) continue;
            // Texts are lines of at most 8192 characters.
            const std::wstring_view text = ItemAt(order[i]).SortText(column, scratch);
            k.length = static_cast<std::uint32_t>(text.size());
            if (text.data() != scratch.data()) {
                k.value = reinterpret_cast<std::uintptr_t>(text.data());
                continue;
            }
            k.value = computed.size();
            k.length |= kComputed;
            computed += text;
        }
        // Where computed ended up once it stopped growing.
        for (SortKey& k : keys) {
            if (!(k.length & kComputed)) continue;
            k.value = reinterpret_cast<std::uintptr_t>(computed.data() + k.value);
            k.length &= ~kComputed;
        }
    }
    numbers = {};
    std::sort(keys.begin(), keys.end(), [descending, numeric](const SortKey& a, const SortKey& b) {
        const int result = numeric ? (a.value > b.value) - (a.value < b.value) : CompareNoCase(a.Text(), b.Text());
        if (result != 0) return descending ? result > 0 : result < 0;
        return a.place < b.place;
    });
    for (SortKey& k : keys) k.value = order[k.place];
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(keys[i].value);
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
