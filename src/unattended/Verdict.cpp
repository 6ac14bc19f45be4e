#include "unattended/Verdict.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "support/Text.h"

namespace es {

namespace {

constexpr std::size_t kWorstRowsInLine = 5;
constexpr std::size_t kMaxRowLines = 100;

std::optional<double> ParseNumber(std::wstring_view text) {
    std::string ascii;
    for (wchar_t ch : text) {
        if (!((ch >= L'0' && ch <= L'9') || ch == L'.')) return std::nullopt;
        ascii += static_cast<char>(ch);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The shortest text that reads back as the value: 200, 40.5.
std::wstring Number(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof(text), value).ptr;
    return std::wstring(text, end);
}

// Fixed decimals, halves away from zero, without the locale.
std::wstring Fixed(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const auto scaled = static_cast<std::uint64_t>(std::floor(value * scale + 0.5));
    std::wstring text = std::to_wstring(scaled / static_cast<std::uint64_t>(scale));
    if (decimals == 0) return text;
    std::wstring fraction = std::to_wstring(scaled % static_cast<std::uint64_t>(scale));
    return text + L'.' + std::wstring(static_cast<std::size_t>(decimals) - fraction.size(), L'0') + fraction;
}

std::wstring Rta(std::optional<double> ms) { return ms ? Fixed(*ms, 3) + L" ms" : L"-"; }

const wchar_t* ArgAfter(const CommandLine& line, const wchar_t* option) {
    const int index = line.FindArg(option);
    return index < 0 ? nullptr : line.GetArg(index + 1);
}

}  // namespace

std::wstring_view CheckStateName(CheckState state) {
    switch (state) {
    case CheckState::Ok: return L"OK";
    case CheckState::Warning: return L"WARNING";
    case CheckState::Critical: return L"CRITICAL";
    default: return L"UNKNOWN";
    }
}

std::optional<Thresholds> ParseThresholds(std::wstring_view text) {
    const std::size_t comma = text.find(L',');
    if (comma == std::wstring_view::npos) return std::nullopt;
    std::wstring_view loss = text.substr(comma + 1);
    if (!loss.empty() && loss.back() == L'%') loss.remove_suffix(1);
    const auto rta = ParseNumber(text.substr(0, comma));
    const auto percent = ParseNumber(loss);
    if (!rta || !percent) return std::nullopt;
    return Thresholds{*rta, *percent};
}

bool WantsRounds(const CommandLine& commandLine) { return commandLine.FindArg(L"/rounds") >= 0; }

std::optional<std::wstring> ParseRoundsRequest(const CommandLine& commandLine, RoundsRequest& request) {
    const wchar_t* roundsText = ArgAfter(commandLine, L"/rounds");
    const auto rounds = ParseNumber(roundsText ? roundsText : L"");
    if (!rounds || *rounds < 1 || *rounds > kMaxRounds || *rounds != std::floor(*rounds))
        return L"/rounds needs a number from 1 to 100000";
    request.rounds = static_cast<std::uint32_t>(*rounds);
    if (const wchar_t* interval = ArgAfter(commandLine, L"/interval")) {
        const auto ms = ParseNumber(interval);
        if (!ms || *ms != std::floor(*ms) || *ms > 86400000) return L"/interval needs milliseconds from 0 to 86400000";
        request.intervalMs = static_cast<std::uint32_t>(*ms);
    }
    for (const auto& [option, thresholds] : {std::pair(L"/warn", &request.warning), std::pair(L"/crit", &request.critical)}) {
        const wchar_t* text = ArgAfter(commandLine, option);
        if (!text) continue;
        const auto parsed = ParseThresholds(text);
        if (!parsed) return std::wstring(option) + L" needs RTA,PL% such as 200,40%";
        *thresholds = *parsed;
    }
    if (request.warning.rtaMs > request.critical.rtaMs || request.warning.lossPercent > request.critical.lossPercent)
        return L"/warn is above /crit";
    return std::nullopt;
}

double RowLossPercent(const PingItem& row) {
    const double failed = row.FailedCount.load(), total = failed + row.SucceedCount.load();
    return total > 0 ? failed * 100 / total : 0;
}

std::optional<double> RowAverageMs(const PingItem& row) {
    const std::uint32_t replies = row.SucceedCount.load();
    if (replies == 0) return std::nullopt;
    return static_cast<double>(row.TotalPingTime.load()) / replies;
}

CheckState JudgeRow(const PingItem& row, const RoundsRequest& request) {
    const double loss = RowLossPercent(row);
    const auto rta = RowAverageMs(row);
    const auto reaches = [&](const Thresholds& t) { return loss >= t.lossPercent || (rta && *rta >= t.rtaMs); };
    if (reaches(request.critical)) return CheckState::Critical;
    if (reaches(request.warning)) return CheckState::Warning;
    return CheckState::Ok;
}

std::wstring PluginOutput(const PingItemList& list, const std::vector<CheckState>& states, const RoundsRequest& request) {
    std::size_t counts[3] = {};
    std::uint64_t pings = 0, failed = 0, replies = 0, replyTime = 0;
    CheckState worst = CheckState::Ok;
    std::vector<std::size_t> bad;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const PingItem& row = list.Row(i);
        ++counts[static_cast<int>(states[i])];
        worst = std::max(worst, states[i]);
        failed += row.FailedCount.load();
        pings += row.FailedCount.load() + row.SucceedCount.load();
        replies += row.SucceedCount.load();
        replyTime += row.TotalPingTime.load();
        if (states[i] != CheckState::Ok) bad.push_back(i);
    }
    // Critical first, then the greater loss, then the longer time; storage order among equals.
    std::stable_sort(bad.begin(), bad.end(), [&](std::size_t a, std::size_t b) {
        const PingItem &ra = list.Row(a), &rb = list.Row(b);
        if (states[a] != states[b]) return states[a] > states[b];
        if (RowLossPercent(ra) != RowLossPercent(rb)) return RowLossPercent(ra) > RowLossPercent(rb);
        return RowAverageMs(ra).value_or(-1) > RowAverageMs(rb).value_or(-1);
    });
    const double loss = pings ? static_cast<double>(failed) * 100 / static_cast<double>(pings) : 0;
    const std::wstring rta = replies ? Fixed(static_cast<double>(replyTime) / static_cast<double>(replies), 3) : L"";
    const std::wstring total = std::to_wstring(list.Count());
    std::wstring text = L"ECHOSENTINEL " + std::wstring(CheckStateName(worst)) + L" - " + std::to_wstring(counts[0]) + L'/' + total +
                        L" hosts OK, loss " + Fixed(loss, 1) + L"%, rta " + (replies ? rta + L" ms" : L"-");
    for (std::size_t n = 0; n < bad.size() && n < kWorstRowsInLine; ++n) {
        const PingItem& row = list.Row(bad[n]);
        const auto rowRta = RowAverageMs(row);
        text += L"; " + row.HostName() + L" (loss " + Fixed(RowLossPercent(row), 1) + L'%' +
                (rowRta ? L", rta " + Rta(rowRta) : L"") + L')';
    }
    if (bad.size() > kWorstRowsInLine) text += L", +" + std::to_wstring(bad.size() - kWorstRowsInLine) + L" more";
    text += L"|'hosts_ok'=" + std::to_wstring(counts[0]) + L";;;0;" + total + L" 'hosts_warning'=" + std::to_wstring(counts[1]) +
            L";;;0;" + total + L" 'hosts_critical'=" + std::to_wstring(counts[2]) + L";;;0;" + total + L" 'pl'=" + Fixed(loss, 1) +
            L"%;" + Number(request.warning.lossPercent) + L';' + Number(request.critical.lossPercent) + L";0;100 'rta'=" +
            (replies ? rta : L"U") + L"ms;" + Number(request.warning.rtaMs) + L';' + Number(request.critical.rtaMs) + L";0;\n";
    for (std::size_t n = 0; n < bad.size() && n < kMaxRowLines; ++n) {
        const PingItem& row = list.Row(bad[n]);
        text += std::wstring(CheckStateName(states[bad[n]])) + L' ' + row.HostName() + L" (" + row.GetText(kFieldAddress) +
                L"): loss " + Fixed(RowLossPercent(row), 1) + L"%, rta " + Rta(RowAverageMs(row)) + L", " +
                row.GetText(kFieldStatus) + L'\n';
    }
    return text;
}

std::wstring UnknownOutput(std::wstring_view reason) { return L"ECHOSENTINEL UNKNOWN - " + std::wstring(reason) + L'\n'; }

}  // namespace es
