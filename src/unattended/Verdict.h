// How an unattended run judges its rows and itself, the way monitoring plugins judge hosts: a row
// is CRITICAL when its loss or its average time reaches the critical threshold, else WARNING when
// it reaches the warning one, else OK; the run is as bad as its worst row. Also the options that
// ask for such a run and the plugin output that reports it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ping/PingItemList.h"
#include "support/CommandLine.h"

namespace es {

enum class CheckState { Ok = 0, Warning = 1, Critical = 2, Unknown = 3 };  // also the exit codes

// "OK", "WARNING", "CRITICAL", "UNKNOWN".
std::wstring_view CheckStateName(CheckState state);

struct Thresholds {
    double rtaMs = 0;
    double lossPercent = 0;
};

// "RTA,PL%": a time in milliseconds and a loss in percent, fractions allowed, the % optional.
std::optional<Thresholds> ParseThresholds(std::wstring_view text);

inline constexpr std::uint32_t kMaxRounds = 100000;

struct RoundsRequest {
    std::uint32_t rounds = 0;
    std::uint32_t intervalMs = 1000;
    Thresholds warning{200, 40};
    Thresholds critical{500, 80};
};

// Whether the command line asks for "/rounds"; its options into request. A wrong option gives the
// reason in plain words instead, for the UNKNOWN line.
bool WantsRounds(const CommandLine& commandLine);
std::optional<std::wstring> ParseRoundsRequest(const CommandLine& commandLine, RoundsRequest& request);

// The row's loss in percent, and its average time when any reply came.
double RowLossPercent(const PingItem& row);
std::optional<double> RowAverageMs(const PingItem& row);
CheckState JudgeRow(const PingItem& row, const RoundsRequest& request);

// Line 1, the plugin line with its performance data, then one line per row that is not OK (at
// most 100); each line ends with "\n".
std::wstring PluginOutput(const PingItemList& list, const std::vector<CheckState>& states, const RoundsRequest& request);
std::wstring UnknownOutput(std::wstring_view reason);

}  // namespace es
