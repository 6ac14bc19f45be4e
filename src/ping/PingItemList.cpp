#include "ping/PingItemList.h"

#include <algorithm>
#include <utility>

#include "addresses/AddressList.h"
#include "ping/HistoryScale.h"
#include "resources/ResourceIds.h"
#include "support/LocalTime.h"

namespace es {

namespace {

std::atomic<std::uint32_t> rowCounter{0};
// Storage abandoned half-changed is not safe for the workers to read, nor for the window.
constexpr const wchar_t* kChangingRows = L"the rows were being changed";

const std::vector<ColumnSpec>& PingColumns() {
    static const std::vector<ColumnSpec> columns = {
        {0, 150, IDS_COLUMNTITLEBASE, 20},     {1, 110, IDS_COLUMNTITLEBASE + 1, 20},
        {2, 110, IDS_COLUMNTITLEBASE + 2, 20}, {3, 90, IDS_COLUMNTITLEBASE + 3, 20},
        {4, 90, IDS_COLUMNTITLEBASE + 4, 20},  {5, 120, IDS_COLUMNTITLEBASE + 5, 20},
        {6, 100, IDS_COLUMNTITLEBASE + 6, 20}, {7, 100, IDS_COLUMNTITLEBASE + 8, 20},  // TTL, then average:
        {8, 100, IDS_COLUMNTITLEBASE + 7, 20}, {9, 120, IDS_COLUMNTITLEBASE + 9, 50},  // titles not in id order
        // The statistics columns: hidden until shown, at these widths.
        {10, 0, IDS_COLUMNTITLEBASE + 10, 20, 70},  {11, 0, IDS_COLUMNTITLEBASE + 11, 20, 90},
        {12, 0, IDS_COLUMNTITLEBASE + 12, 20, 90},  {13, 0, IDS_COLUMNTITLEBASE + 13, 20, 70},
        {14, 0, IDS_COLUMNTITLEBASE + 14, 20, 90},  {15, 0, IDS_COLUMNTITLEBASE + 15, 20, 140},
        {16, 0, IDS_COLUMNTITLEBASE + 16, 20, 140},
        // The kept results: the sparkline wide enough for a bar of each (and a margin), their loss.
        {17, 0, IDS_COLUMNTITLEBASE + 17, 20, 110}, {18, 0, IDS_COLUMNTITLEBASE + 18, 20, 80},
    };
    return columns;
}

}  // namespace

std::size_t PingItemList::GetCellBars(const ReportItem& item, int column, int fullHeight, CellBars& bars) const {
    if (!IsBarColumn(column)) return 0;
    static_assert(kMaxCellBars >= kHistoryLength);
    std::array<std::uint16_t, kHistoryLength> values;
    const std::size_t count = static_cast<const PingItem&>(item).History(values);
    for (std::size_t i = 0; i < count; ++i) bars[i] = {BarHeight(values[i], fullHeight), values[i] == kHistoryFailure};
    return count;
}

PingItemList::PingItemList() : clock_(UnixTimeNow) { titleId_ = IDS_PINGLISTTITLE; }

PingItemList::~PingItemList() = default;

void PingItemList::Initialise(int descendingImage) {
    ReportListBase::Initialise(PingColumns(), descendingImage);
    titleId_ = IDS_PINGLISTTITLE;
    ResultsThisRound = 0;
    ResultsChanged = 0;
}

void PingItemList::BuildItems(const AppSettings& settings, const std::function<void(std::size_t)>& progress) {
    ResultsThisRound = 0;
    ResultsChanged = 0;
    ExpandAddressList(settings.addressList, settings.IPHostDescFormat != 0, [&](AddressRow& row) {
        {
            const HeldLock lock(storageLock_, kChangingRows);
            items_.emplace_back(std::move(row.hostName), std::move(row.description), row.address, ++rowCounter);
        }
        if (progress && items_.size() % kProgressStep == 0) progress(items_.size());
    });
}

void PingItemList::Clear() {
    const HeldLock lock(storageLock_, kChangingRows);
    items_.clear();
    changedRows_.clear();
    rowChanged_.clear();
    upRows_ = 0;
    downRows_ = 0;
}

std::vector<std::size_t> PingItemList::TakeChangedRows() {
    const HeldLock lock(storageLock_);
    for (std::size_t index : changedRows_) rowChanged_[index] = 0;
    return std::exchange(changedRows_, {});
}

void PingItemList::ResetStatistics() {
    const HeldLock lock(storageLock_);
    for (std::size_t i = 0; i < items_.size(); ++i) items_[i].Reset();
    upRows_ = 0;
    downRows_ = 0;
}

void PingItemList::SetThresholds(std::int32_t downAfterFailures, std::int32_t upAfterSuccesses) {
    downAfter_ = static_cast<std::uint32_t>(std::clamp(downAfterFailures, kMinThreshold, kMaxThreshold));
    upAfter_ = static_cast<std::uint32_t>(std::clamp(upAfterSuccesses, kMinThreshold, kMaxThreshold));
}

std::vector<StateChange> PingItemList::TakeStateChanges() {
    const HeldLock lock(storageLock_);
    return std::exchange(stateChanges_, {});
}

PingItemList::WatchCounts PingItemList::CountWatched() const { return {upRows_.load(), downRows_.load()}; }

void PingItemList::NoteWatch(const PingItem& item, WatchState before, std::int64_t unixTime) {
    const WatchState after = item.Watch.load(std::memory_order_relaxed);
    if (after == before) return;
    auto& leaving = before == WatchState::Up ? upRows_ : downRows_;
    if (before != WatchState::Unknown) leaving.fetch_sub(1);
    (after == WatchState::Up ? upRows_ : downRows_).fetch_add(1);
    if (before == WatchState::Unknown) return;
    const std::uint32_t address = item.Address.load(std::memory_order_relaxed);
    stateChanges_.push_back({item.RowId, item.HostName(), address ? FormatAddress(address) : std::wstring(),
                             std::wstring(item.Description()), after, item.LastStatus.load(std::memory_order_relaxed),
                             item.FailuresInARow.load(std::memory_order_relaxed), unixTime});
}

bool PingItemList::ApplyResult(const PingResult& r) {
    std::lock_guard lock(storageLock_);
    if (r.index < 0 || static_cast<std::size_t>(r.index) >= items_.size()) return false;
    PingItem& item = items_[static_cast<std::size_t>(r.index)];
    if (item.RowId != r.rowId) return false;
    if (r.round == round_) ResultsThisRound.fetch_add(1);
    const std::int64_t now = clock_();
    item.ApplyResult(r.status, r.address, r.replyAddress, r.ttl, r.roundTripTime, now);
    NoteWatch(item, item.UpdateWatch(downAfter_.load(), upAfter_.load()), now);
    if (rowChanged_.size() < items_.size()) rowChanged_.resize(items_.size(), 0);
    if (!rowChanged_[static_cast<std::size_t>(r.index)]) {
        rowChanged_[static_cast<std::size_t>(r.index)] = 1;
        changedRows_.push_back(static_cast<std::size_t>(r.index));
    }
    ResultsChanged = 1;
    return true;
}

void PingItemList::StartRound(std::uint32_t timeoutMs) {
    std::vector<PingJob> jobs;
    std::uint64_t round;
    {
        const HeldLock lock(storageLock_);
        round = ++round_;
        ResultsThisRound = 0;
        jobs.reserve(items_.size());
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const PingItem& item = items_[i];
            PingJob& job = jobs.emplace_back();
            job.rowIndex = static_cast<int>(i);
            job.rowId = item.RowId;
            job.address = item.Address.load(std::memory_order_relaxed);
            if (job.address == 0) job.hostName = item.HostName();
            job.timeout = timeoutMs;
        }
    }
    engine_.StartJobs(std::move(jobs), round);
}

void PingItemList::OnPingResult(const PingJob& job) {
    ApplyResult({job.rowIndex, job.rowId, job.status, job.address, job.replyAddress, job.ttl, job.roundTrip, job.round});
}

int PingItemList::GetItemImage(const ReportItem& record) const {
    const auto& item = static_cast<const PingItem&>(record);
    std::int32_t status = item.LastStatus.load(std::memory_order_relaxed);
    return status == kStatusNone ? 0 : (status == kStatusSuccess ? 1 : 2);
}

void PingItemList::CustomDrawCell(const ReportItem& record, int, CellColors& colors) const {
    if (!settings_ || !settings_->MarkFailedPings) return;
    const auto& item = static_cast<const PingItem&>(record);
    const std::int32_t status = item.LastStatus.load(std::memory_order_relaxed);
    if (status == kStatusSuccess && item.Watch.load(std::memory_order_relaxed) != WatchState::Down) return;
    colors.set = true;
    colors.text = 0x000000;
    // COLORREFs: RGB(255, 240, 240) for down, RGB(255, 232, 176) for failing but not down yet.
    const bool failing = status != kStatusNone && item.Watch.load(std::memory_order_relaxed) != WatchState::Down;
    colors.background = failing ? 0xB0E8FF : 0xF0F0FF;
}

}  // namespace es
