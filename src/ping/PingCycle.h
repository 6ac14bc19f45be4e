// When rows are pinged: a round of every row at once, the pause after its completion, and the
// refresh of the shown rows as results arrive. Driven by the main window's 100 ms timer.
#pragma once

#include <cstdint>
#include <functional>

#include "ping/PingItemList.h"
#include "settings/AppSettings.h"

namespace es {

class PingCycle {
public:
    explicit PingCycle(PingItemList& list) : list_(list) {}

    // One timer tick at tick count now (milliseconds, wrapping): the next round when the pause is
    // over, refresh() when results arrived while pinging is on, and the completion of a round.
    void Tick(std::uint32_t now, const AppSettings& settings, const std::function<void()>& refresh);

    // One echo per current row now.
    void StartRound(const AppSettings& settings);
    // Start Ping: keeps the rows and their statistics.
    void Start(const AppSettings& settings);
    // Stop Ping: requests in flight still land in the rows, but nothing is refreshed or started.
    void Stop() { PingingActive = false; }

    // The pause after a round of the given seconds: negative ones give none, and the longest is
    // the longest the wrapping tick count can measure.
    static std::uint32_t PauseMs(std::int32_t seconds);

    bool PingingActive = false;
    bool WaitingForNextRound = false;
    std::uint32_t RoundEndTick = 0;

private:
    PingItemList& list_;
};

}  // namespace es
