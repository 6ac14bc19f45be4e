// The ping list: PingItem rows in the order they were built, and the result counters of a round.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "ping/PingEngine.h"
#include "ping/PingItem.h"
#include "reportlist/ReportListBase.h"
#include "settings/AppSettings.h"
#include "support/BlockList.h"
#include "support/CallHolds.h"

namespace es {

struct PingResult {
    int index;
    std::uint32_t rowId;
    std::int32_t status;
    std::uint32_t address;
    std::uint32_t replyAddress;
    std::uint32_t ttl;
    std::uint32_t roundTripTime;
    std::uint64_t round = 0;  // counted in ResultsThisRound only when it is the current round
};

class PingItemList : public ReportListBase, private PingResultSink {
public:
    static constexpr int kProgressStep = 50;

    PingItemList();
    ~PingItemList() override;

    // Sends the echoes of every round and hands their results to ApplyResult.
    PingEngine& Engine() { return engine_; }
    // The column table of the ping list, translated titles included.
    void Initialise(int descendingImage);

    std::size_t Count() const override { return items_.size(); }
    const ReportItem& ItemAt(std::size_t index) const override { return items_[index]; }
    const PingItem& Row(std::size_t index) const { return items_[index]; }
    PingItem& Row(std::size_t index) { return items_[index]; }

    // Appends the rows of the address list; every 50 rows progress(count) is called.
    void BuildItems(const AppSettings& settings, const std::function<void(std::size_t)>& progress = {});
    void Clear();
    // Clears every row's statistics; a result being applied meanwhile lands wholly before or after.
    void ResetStatistics();
    // From a worker thread: applies the result when its index and row id still name a row.
    bool ApplyResult(const PingResult& result);
    // One echo for every row, each waiting at most timeoutMs; ResultsThisRound starts again at 0
    // and counts only this round's results.
    void StartRound(std::uint32_t timeoutMs);

    // When a row turns down and up again (see PingItem::UpdateWatch); for the rounds to come.
    void SetThresholds(std::int32_t downAfterFailures, std::int32_t upAfterSuccesses);
    // The changes of watched state since the last call, in the order they happened. A row's first
    // state is taken silently: only a change from up to down or back is one.
    std::vector<StateChange> TakeStateChanges();
    struct WatchCounts {
        std::uint32_t up = 0;
        std::uint32_t down = 0;
    };
    // How many rows are up and down now (the others are unknown).
    WatchCounts CountWatched() const;

    // 0 not pinged yet, 1 last ping succeeded, 2 last ping failed.
    int GetItemImage(const ReportItem& item) const override;
    // With MarkFailedPings on, a down row and one not pinged yet are black on light red, a row
    // whose last ping failed but that is not down yet black on amber.
    void CustomDrawCell(const ReportItem& item, int column, CellColors& colors) const override;
    // Recent Pings: a bar per kept result on the history's scale, a failure's bar full and red.
    bool IsBarColumn(int column) const override { return column == kFieldRecentPings; }
    std::size_t GetCellBars(const ReportItem& item, int column, int fullHeight, CellBars& bars) const override;
    bool WritesHtmlDocument() const override { return true; }
    bool IsColumnSearchable(int) const override { return true; }
    // No result lands while it is held.
    std::mutex* RecordsMutex() const override { return &storageLock_; }
    // The options that drawing looks at; owned by the caller.
    void SetSettings(const AppSettings* settings) { settings_ = settings; }

    // Where the time of a result comes from (Unix seconds); the system clock unless replaced.
    void SetClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

    // Keeps the rows as they are for a reader on the window thread: no result lands and no row is
    // added or removed until the lock ends, which a fault that abandons the reader also ends.
    [[nodiscard]] HeldLock<std::mutex> LockRows() const { return HeldLock<std::mutex>(storageLock_); }

    // The storage indexes of the rows that got a result since the last call, each once.
    std::vector<std::size_t> TakeChangedRows();

    std::atomic<std::uint32_t> ResultsThisRound{0};
    std::atomic<int> ResultsChanged{0};

private:
    void OnPingResult(const PingJob& job) override;
    // Counts the row's watched state anew and records a change from up or down; under the lock.
    void NoteWatch(const PingItem& item, WatchState before, std::int64_t unixTime);

    // Storage changes and results from the workers exclude each other; the window thread reads
    // rows without it, since only it changes the storage.
    mutable std::mutex storageLock_;
    BlockList<PingItem> items_;
    std::uint64_t round_ = 0;
    std::vector<std::size_t> changedRows_;
    std::vector<char> rowChanged_;
    std::vector<StateChange> stateChanges_;
    std::atomic<std::uint32_t> downAfter_{3};
    std::atomic<std::uint32_t> upAfter_{1};
    std::atomic<std::uint32_t> upRows_{0};
    std::atomic<std::uint32_t> downRows_{0};
    const AppSettings* settings_ = nullptr;
    std::function<std::int64_t()> clock_;
    // Last, so that it shuts down before the rows it delivers to are gone.
    PingEngine engine_{*this};
};

}  // namespace es
