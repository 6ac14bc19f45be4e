#include "ping/PingCycle.h"

#include <algorithm>

namespace es {

std::uint32_t PingCycle::PauseMs(std::int32_t seconds) {
    const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, 0, UINT32_MAX));
}

void PingCycle::StartRound(const AppSettings& settings) {
    list_.SetThresholds(settings.DownAfterFailures, settings.UpAfterSuccesses);
    list_.StartRound(static_cast<std::uint32_t>(settings.PingTimeout < 0 ? 0 : settings.PingTimeout));
}

void PingCycle::Start(const AppSettings& settings) {
    WaitingForNextRound = false;
    PingingActive = true;
    StartRound(settings);
}

void PingCycle::Tick(std::uint32_t now, const AppSettings& settings, const std::function<void()>& refresh) {
    if (WaitingForNextRound && PingingActive && settings.PingEvery) {
        // Unsigned subtraction: the wrap of the tick count does no harm.
        if (now - RoundEndTick >= PauseMs(settings.PingEverySeconds)) {
            WaitingForNextRound = false;
            StartRound(settings);
        }
    }
    // Cleared before the refresh reads the rows, so that a result landing meanwhile raises it
    // again for the next tick instead of being lost.
    if (PingingActive && list_.ResultsChanged.exchange(0)) refresh();
    const std::uint32_t results = list_.ResultsThisRound.load();
    if (results > 0 && results == list_.Count()) {
        list_.ResultsThisRound = 0;
        WaitingForNextRound = true;
        RoundEndTick = now;
    }
}

}  // namespace es
