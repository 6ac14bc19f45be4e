#include "ping/PingItem.h"

#include <cmath>

#include "addresses/AddressList.h"
#include "lang/StringTable.h"
#include "resources/ResourceIds.h"

namespace es {

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

}  // namespace

PingItem::PingItem(std::wstring hostName, std::wstring description, std::uint32_t address, std::uint32_t rowId)
    : HostName(std::move(hostName)), Description(std::move(description)), RowId(rowId), Address(address) {}

std::uint32_t PingItem::AveragePingTime() const {
    std::uint32_t n = SucceedCount.load(kRelaxed);
    if (n == 0) return 0;
    double average = static_cast<double>(TotalPingTime.load(kRelaxed)) / n;
    return static_cast<std::uint32_t>(std::floor(average + 0.5));
}

std::wstring PingItem::GetText(int field) const {
    switch (field) {
    case kFieldHost:
        return HostName;
    case kFieldAddress:
    case kFieldReplyAddress: {
        std::uint32_t address = (field == kFieldAddress ? Address : ReplyAddress).load(kRelaxed);
        return address ? FormatAddress(address) : std::wstring();
    }
    case kFieldSucceeded:
        return std::to_wstring(SucceedCount.load(kRelaxed));
    case kFieldFailed:
        return std::to_wstring(FailedCount.load(kRelaxed));
    case kFieldStatus: {
        std::int32_t status = LastStatus.load(kRelaxed);
        if (status == kStatusNone) return {};
        return GetString(IDS_STATUSBASE + static_cast<std::uint32_t>(status));
    }
    case kFieldLastTime:
        if (LastStatus.load(kRelaxed) == kStatusNone) return {};
        return std::to_wstring(LastPingTime.load(kRelaxed));
    case kFieldTtl: {
        std::uint32_t ttl = LastTtl.load(kRelaxed);
        return ttl ? std::to_wstring(ttl) : std::wstring();
    }
    case kFieldAverage:
        if (SucceedCount.load(kRelaxed) == 0) return {};
        return std::to_wstring(AveragePingTime());
    case kFieldDescription:
        return Description;
    default:
        return {};
    }
}

std::wstring_view PingItem::SortText(int field, std::wstring& scratch) const {
    if (field == kFieldHost) return HostName;
    if (field == kFieldDescription) return Description;
    return ReportItem::SortText(field, scratch);
}

bool PingItem::SortNumber(int field, std::uint64_t& number) const {
    switch (field) {
    case kFieldAddress: number = Address.load(kRelaxed); return true;
    case kFieldReplyAddress: number = ReplyAddress.load(kRelaxed); return true;
    case kFieldSucceeded: number = SucceedCount.load(kRelaxed); return true;
    case kFieldFailed: number = FailedCount.load(kRelaxed); return true;
    case kFieldLastTime: number = LastPingTime.load(kRelaxed); return true;
    case kFieldTtl: number = LastTtl.load(kRelaxed); return true;
    case kFieldAverage: number = AveragePingTime(); return true;
    default: return false;
    }
}

void PingItem::ApplyResult(std::int32_t status, std::uint32_t address, std::uint32_t replyAddress, std::uint32_t ttl,
                           std::uint32_t roundTripTime) {
    LastStatus.store(status, kRelaxed);
    Address.store(address, kRelaxed);
    ReplyAddress.store(replyAddress, kRelaxed);
    LastTtl.store(ttl, kRelaxed);
    PingCount.store(PingCount.load(kRelaxed) + 1, kRelaxed);
    if (status == kStatusSuccess) {
        SucceedCount.store(SucceedCount.load(kRelaxed) + 1, kRelaxed);
        TotalPingTime.store(TotalPingTime.load(kRelaxed) + roundTripTime, kRelaxed);
        LastPingTime.store(roundTripTime, kRelaxed);
    } else {
        FailedCount.store(FailedCount.load(kRelaxed) + 1, kRelaxed);
    }
}

void PingItem::Reset() {
    LastStatus.store(kStatusNone, kRelaxed);
    for (auto* field : {&PingCount, &SucceedCount, &FailedCount, &LastPingTime, &LastTtl, &TotalPingTime})
        field->store(0, kRelaxed);
}

}  // namespace es
