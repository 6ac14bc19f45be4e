#include "ping/PingItem.h"

#include <algorithm>
#include <cmath>

#include "addresses/AddressList.h"
#include "lang/StringTable.h"
#include "resources/ResourceIds.h"
#include "support/LocalTime.h"

namespace es {

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// A number of tenths as "12.5".
std::wstring Tenths(std::uint64_t tenths) { return std::to_wstring(tenths / 10) + L'.' + std::to_wstring(tenths % 10); }

// part / whole in tenths, halves rounded up.
std::uint64_t RoundedTenths(std::uint64_t part, std::uint64_t whole) { return (part * 20 + whole) / (whole * 2); }

std::wstring TimeText(std::uint32_t unixTime) { return unixTime ? FormatLocalDateTime(unixTime) : std::wstring(); }

// "12.5%", empty without results.
std::wstring LossText(std::uint64_t failed, std::uint64_t total) {
    return total ? Tenths(RoundedTenths(failed * 100, total)) + L'%' : std::wstring();
}

// Orders losses as their texts would, empty cells first: a value counts one above them.
std::uint64_t LossKey(std::uint64_t failed, std::uint64_t total) { return total ? (failed << 32) / total + 1 : 0; }

// The last kRecentPingsShown results, oldest first: "1 1 2 - 1", "-" for a failure. Written into
// one buffer: every row's text is asked for by a Copy or a report.
std::wstring RecentPingsText(std::span<const std::uint16_t> values) {
    constexpr std::size_t kWidest = 6;  // "65533 "
    std::array<wchar_t, kRecentPingsShown * kWidest> text;
    std::size_t length = 0;
    for (std::uint16_t value : values.last(std::min(values.size(), kRecentPingsShown))) {
        if (length) text[length++] = L' ';
        if (value == kHistoryFailure) {
            text[length++] = L'-';
            continue;
        }
        std::array<wchar_t, kWidest> digits;
        std::size_t count = 0;
        do digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        while (value /= 10);
        while (count) text[length++] = digits[--count];
    }
    return std::wstring(text.data(), length);
}

}  // namespace

static_assert(sizeof(void*) != 8 || sizeof(PingItem) == 288, "a row's members are laid out without padding");

PingItem::PingItem(std::wstring hostName, std::wstring description, std::uint32_t address, std::uint32_t rowId)
    : RowId(rowId), Address(address) {
    for (auto& slot : history_) slot.store(kHistoryNone, kRelaxed);
    if (address != 0 && hostName == FormatAddress(address)) {
        listedAddress_ = address;
        hostName.clear();
    }
    // Names are at most 254 characters and descriptions end with their line of at most 8192.
    hostLength_ = static_cast<std::uint16_t>(std::min<std::size_t>(hostName.size(), UINT16_MAX));
    descriptionLength_ = static_cast<std::uint16_t>(std::min<std::size_t>(description.size(), UINT16_MAX));
    if (hostLength_ + descriptionLength_ == 0) return;
    texts_ = std::make_unique_for_overwrite<wchar_t[]>(hostLength_ + descriptionLength_);
    std::copy_n(hostName.data(), hostLength_, texts_.get());
    std::copy_n(description.data(), descriptionLength_, texts_.get() + hostLength_);
}

std::wstring PingItem::HostName() const {
    if (listedAddress_) return FormatAddress(listedAddress_);
    return std::wstring(texts_.get(), hostLength_);
}

std::wstring_view PingItem::Description() const {
    return descriptionLength_ ? std::wstring_view(texts_.get() + hostLength_, descriptionLength_) : std::wstring_view();
}

std::size_t PingItem::History(std::span<std::uint16_t, kHistoryLength> out) const {
    // The oldest kept result is where the next one goes once the ring is full, at 0 before.
    const std::size_t next = PingCount() % kHistoryLength;
    const bool full = history_[kHistoryLength - 1].load(kRelaxed) != kHistoryNone;
    const std::size_t count = full ? kHistoryLength : next;
    const std::size_t first = full ? next : 0;
    for (std::size_t i = 0; i < count; ++i) out[i] = history_[(first + i) % kHistoryLength].load(kRelaxed);
    return count;
}

std::size_t PingItem::HistoryCount() const {
    return std::min<std::size_t>(PingCount(), kHistoryLength);
}

std::uint32_t PingItem::AveragePingTime() const {
    std::uint32_t n = SucceedCount.load(kRelaxed);
    if (n == 0) return 0;
    double average = static_cast<double>(TotalPingTime.load(kRelaxed)) / n;
    return static_cast<std::uint32_t>(std::floor(average + 0.5));
}

std::wstring PingItem::GetText(int field) const {
    switch (field) {
    case kFieldHost:
        return HostName();
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
        return std::wstring(Description());
    case kFieldLoss: {
        const std::uint64_t failed = FailedCount.load(kRelaxed);
        return LossText(failed, failed + SucceedCount.load(kRelaxed));
    }
    case kFieldMinTime:
    case kFieldMaxTime:
        if (SucceedCount.load(kRelaxed) == 0) return {};
        return std::to_wstring((field == kFieldMinTime ? MinPingTime : MaxPingTime).load(kRelaxed));
    case kFieldJitter: {
        const std::uint32_t successes = SucceedCount.load(kRelaxed);
        return successes >= 2 ? Tenths(RoundedTenths(JitterTotal.load(kRelaxed), successes - 1)) : std::wstring();
    }
    case kFieldFailuresInARow:
        if (LastStatus.load(kRelaxed) == kStatusNone) return {};
        return std::to_wstring(FailuresInARow.load(kRelaxed));
    case kFieldLastSuccess:
        return TimeText(LastSuccessTime.load(kRelaxed));
    case kFieldStatusChanged:
        return TimeText(StatusChangedTime.load(kRelaxed));
    case kFieldRecentPings: {
        std::array<std::uint16_t, kHistoryLength> values;
        return RecentPingsText(std::span(values).first(History(values)));
    }
    case kFieldRecentLoss:
        return LossText(HistoryFailures(), HistoryCount());
    default:
        return {};
    }
}

std::wstring_view PingItem::SortText(int field, std::wstring& scratch) const {
    if (field == kFieldHost) return listedAddress_ ? (scratch = HostName()) : std::wstring_view(texts_.get(), hostLength_);
    if (field == kFieldDescription) return Description();
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
    // Empty cells first: a value counts one above them.
    case kFieldLoss: {
        const std::uint64_t failed = FailedCount.load(kRelaxed);
        number = LossKey(failed, failed + SucceedCount.load(kRelaxed));
        return true;
    }
    // The sparkline orders by the loss it shows.
    case kFieldRecentPings:
    case kFieldRecentLoss: number = LossKey(HistoryFailures(), HistoryCount()); return true;
    case kFieldMinTime:
    case kFieldMaxTime:
        number = SucceedCount.load(kRelaxed) ? (field == kFieldMinTime ? MinPingTime : MaxPingTime).load(kRelaxed) + 1ull : 0;
        return true;
    case kFieldJitter: {
        const std::uint32_t successes = SucceedCount.load(kRelaxed);
        number = successes >= 2 ? JitterTotal.load(kRelaxed) * 1000 / (successes - 1) + 1 : 0;
        return true;
    }
    case kFieldFailuresInARow:
        number = LastStatus.load(kRelaxed) == kStatusNone ? 0 : FailuresInARow.load(kRelaxed) + 1ull;
        return true;
    case kFieldLastSuccess: number = LastSuccessTime.load(kRelaxed); return true;
    case kFieldStatusChanged: number = StatusChangedTime.load(kRelaxed); return true;
    default: return false;
    }
}

void PingItem::ApplyResult(std::int32_t status, std::uint32_t address, std::uint32_t replyAddress, std::uint32_t ttl,
                           std::uint32_t roundTripTime, std::int64_t unixTime) {
    const std::int32_t previous = LastStatus.load(kRelaxed);
    const bool success = status == kStatusSuccess;
    const auto now = static_cast<std::uint32_t>(unixTime);
    if (previous == kStatusNone || (previous == kStatusSuccess) != success) StatusChangedTime.store(now, kRelaxed);
    if (success) {
        const std::uint32_t successes = SucceedCount.load(kRelaxed);
        const std::uint32_t last = LastPingTime.load(kRelaxed);
        if (successes > 0)
            JitterTotal.store(JitterTotal.load(kRelaxed) + (roundTripTime > last ? roundTripTime - last : last - roundTripTime), kRelaxed);
        if (successes == 0 || roundTripTime < MinPingTime.load(kRelaxed)) MinPingTime.store(roundTripTime, kRelaxed);
        if (successes == 0 || roundTripTime > MaxPingTime.load(kRelaxed)) MaxPingTime.store(roundTripTime, kRelaxed);
        FailuresInARow.store(0, kRelaxed);
        SuccessesInARow.store(static_cast<std::uint8_t>(std::min(SuccessesInARow.load(kRelaxed) + 1, UINT8_MAX)), kRelaxed);
        LastSuccessTime.store(now, kRelaxed);
    } else {
        FailuresInARow.store(FailuresInARow.load(kRelaxed) + 1, kRelaxed);
        SuccessesInARow.store(0, kRelaxed);
    }
    const std::size_t next = PingCount() % kHistoryLength;
    const int failures = historyFailures_.load(kRelaxed) - (history_[next].load(kRelaxed) == kHistoryFailure) + !success;
    history_[next].store(success ? static_cast<std::uint16_t>(std::min<std::uint32_t>(roundTripTime, kHistoryMaxTime))
                                 : kHistoryFailure,
                         kRelaxed);
    historyFailures_.store(static_cast<std::uint8_t>(failures), kRelaxed);
    LastStatus.store(status, kRelaxed);
    Address.store(address, kRelaxed);
    ReplyAddress.store(replyAddress, kRelaxed);
    LastTtl.store(static_cast<std::uint8_t>(ttl), kRelaxed);
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
    for (auto* field : {&SucceedCount, &FailedCount, &LastPingTime, &TotalPingTime, &MinPingTime,
                        &MaxPingTime, &FailuresInARow, &LastSuccessTime, &StatusChangedTime})
        field->store(0, kRelaxed);
    JitterTotal.store(0, kRelaxed);
    LastTtl.store(0, kRelaxed);
    Watch.store(WatchState::Unknown, kRelaxed);
    for (auto& slot : history_) slot.store(kHistoryNone, kRelaxed);
    SuccessesInARow.store(0, kRelaxed);
    historyFailures_.store(0, kRelaxed);
}

WatchState PingItem::UpdateWatch(std::uint32_t downAfter, std::uint32_t upAfter) {
    const WatchState before = Watch.load(kRelaxed);
    if (before != WatchState::Down && FailuresInARow.load(kRelaxed) >= downAfter) Watch.store(WatchState::Down, kRelaxed);
    else if (before != WatchState::Up && SuccessesInARow.load(kRelaxed) >= upAfter) Watch.store(WatchState::Up, kRelaxed);
    return before;
}

}  // namespace es
