#include "ping/PingItemList.h"

#include "addresses/AddressList.h"

namespace es {

namespace {

std::atomic<std::uint32_t> rowCounter{0};

const std::vector<ColumnSpec>& PingColumns() {
    static const std::vector<ColumnSpec> columns = {
        {0, 150, 1001, 20}, {1, 110, 1002, 20}, {2, 110, 1003, 20}, {3, 90, 1004, 20}, {4, 90, 1005, 20},
        {5, 120, 1006, 20}, {6, 100, 1007, 20}, {7, 100, 1009, 20}, {8, 100, 1008, 20}, {9, 120, 1010, 50},
    };
    return columns;
}

}  // namespace

PingItemList::PingItemList() { titleId_ = 8; }

void PingItemList::Initialise(int descendingImage) {
    ReportListBase::Initialise(PingColumns(), descendingImage);
    titleId_ = 8;
    ResultsThisRound = 0;
    ResultsChanged = 0;
}

void PingItemList::BuildItems(const AppSettings& settings, const std::function<void(std::size_t)>& progress) {
    ResultsThisRound = 0;
    ResultsChanged = 0;
    ExpandAddressList(settings.addressList, settings.IPHostDescFormat != 0, [&](const AddressRow& row) {
        {
            std::lock_guard lock(storageLock_);
            items_.emplace_back(row.hostName, row.description, row.address, ++rowCounter);
        }
        if (progress && items_.size() % kProgressStep == 0) progress(items_.size());
    });
}

void PingItemList::Clear() {
    std::lock_guard lock(storageLock_);
    items_.clear();
}

void PingItemList::ResetStatistics() {
    for (PingItem& item : items_) item.Reset();
}

bool PingItemList::ApplyResult(const PingResult& r) {
    std::lock_guard lock(storageLock_);
    if (r.index < 0 || static_cast<std::size_t>(r.index) >= items_.size()) return false;
    PingItem& item = items_[static_cast<std::size_t>(r.index)];
    if (item.RowId != r.rowId) return false;
    ResultsThisRound.fetch_add(1);
    ResultsChanged = 1;
    item.ApplyResult(r.status, r.address, r.replyAddress, r.ttl, r.roundTripTime);
    return true;
}

int PingItemList::GetItemImage(const PingItem& item) const {
    std::int32_t status = item.LastStatus.load(std::memory_order_relaxed);
    return status == kStatusNone ? 0 : (status == kStatusSuccess ? 1 : 2);
}

}  // namespace es
