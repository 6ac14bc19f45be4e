// One row of the ping list: the address, what is known about it and its reply statistics.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "ping/HistoryScale.h"
#include "ping/StateChange.h"
#include "reportlist/ReportListBase.h"

namespace es {

// Status codes: the platform's echo status minus 11000; these two are the program's own.
inline constexpr std::int32_t kStatusNone = -1;
inline constexpr std::int32_t kStatusSuccess = 0;
inline constexpr std::int32_t kStatusInvalidHost = 30;

enum PingField { kFieldHost, kFieldAddress, kFieldReplyAddress, kFieldSucceeded, kFieldFailed, kFieldStatus,
                 kFieldLastTime, kFieldTtl, kFieldAverage, kFieldDescription,
                 // The statistics columns, hidden until a user shows them.
                 kFieldLoss, kFieldMinTime, kFieldMaxTime, kFieldJitter, kFieldFailuresInARow, kFieldLastSuccess,
                 kFieldStatusChanged,
                 // The kept results: the last of them as numbers (a sparkline in the list), and their loss.
                 kFieldRecentPings, kFieldRecentLoss };

// The Recent Pings text shows this many of the kept results.
inline constexpr std::size_t kRecentPingsShown = 20;

// The statistics are written by the ping workers and read by the window thread without a lock;
// each is one indivisible 32-bit access. The texts never change after the row is built.
class PingItem final : public ReportItem {
public:
    PingItem(std::wstring hostName, std::wstring description, std::uint32_t address, std::uint32_t rowId);

    std::wstring GetText(int field) const override;
    std::wstring_view SortText(int field, std::wstring& scratch) const override;
    // Addresses as stored (the fourth octet weighs most), counts, times and the average.
    bool SortNumber(int field, std::uint64_t& number) const override;

    // Rounded to the nearest millisecond, halves up; 0 without a success.
    std::uint32_t AveragePingTime() const;
    // A result that arrived at unixTime (seconds).
    void ApplyResult(std::int32_t status, std::uint32_t address, std::uint32_t replyAddress, std::uint32_t ttl,
                     std::uint32_t roundTripTime, std::int64_t unixTime);
    void Reset();
    // The kept results, oldest first, into out; returns how many there are (at most kHistoryLength).
    std::size_t History(std::span<std::uint16_t, kHistoryLength> out) const;
    // How many results the history holds, and how many of them are failures.
    std::size_t HistoryCount() const;
    std::size_t HistoryFailures() const { return historyFailures_.load(std::memory_order_relaxed); }
    // Moves the watched state after a result: down after downAfter failures in a row, up after
    // upAfter successes in a row. Returns the state before.
    WatchState UpdateWatch(std::uint32_t downAfter, std::uint32_t upAfter);

    // The host as listed: a name, or the address as it was written.
    std::wstring HostName() const;
    std::wstring_view Description() const;
    // The results so far: every result is a success or a failure.
    std::uint32_t PingCount() const {
        return SucceedCount.load(std::memory_order_relaxed) + FailedCount.load(std::memory_order_relaxed);
    }

    // The members are laid out without padding (288 bytes on a 64-bit build): a list of 65,535 rows
    // costs what its rows hold and little more.
    const std::uint32_t RowId;
    std::atomic<std::uint32_t> Address;
    std::atomic<std::uint32_t> ReplyAddress{0};
    std::atomic<std::uint32_t> SucceedCount{0};
    std::atomic<std::uint32_t> FailedCount{0};
    std::atomic<std::uint32_t> LastPingTime{0};
    std::atomic<std::uint32_t> TotalPingTime{0};
    std::atomic<std::int32_t> LastStatus{kStatusNone};
    // Of the successful replies: the least and greatest time, and the sum of the differences
    // between consecutive ones.
    std::atomic<std::uint32_t> MinPingTime{0};
    std::atomic<std::uint32_t> MaxPingTime{0};
    std::atomic<std::uint32_t> FailuresInARow{0};
    // Unix seconds, 0 for never: the last success, and the last result whose success differed
    // from the one before it.
    std::atomic<std::uint32_t> LastSuccessTime{0};
    std::atomic<std::uint32_t> StatusChangedTime{0};

private:
    std::uint32_t listedAddress_ = 0;  // the host when it is not kept, else 0
    std::uint16_t hostLength_ = 0;
    std::uint16_t descriptionLength_ = 0;
    // The ring below is written by one result at a time (under the list's lock); the next result
    // goes to slot PingCount() % kHistoryLength. The failures among the kept results are counted
    // as they come and go.
    std::atomic<std::uint8_t> historyFailures_{0};

public:
    // Counted up to 255: it is only ever compared with a threshold of at most 100.
    std::atomic<std::uint8_t> SuccessesInARow{0};
    std::atomic<WatchState> Watch{WatchState::Unknown};
    std::atomic<std::uint8_t> LastTtl{0};  // a reply's TTL is one byte
    std::atomic<std::uint64_t> JitterTotal{0};

private:
    // The host and description in one block, host first; a host that is its address in the usual
    // dotted form is not kept but written again from the address, which is most rows of a range.
    std::unique_ptr<wchar_t[]> texts_;
    // Every slot not written since the last Reset holds kHistoryNone.
    std::array<std::atomic<std::uint16_t>, kHistoryLength> history_;
};

}  // namespace es
