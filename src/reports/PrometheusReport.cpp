#include "reports/PrometheusReport.h"

#include <vector>

namespace es {

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// The digits of a cell shown with one decimal ("33.3%", "1.7"): its value in tenths.
std::uint64_t Tenths(std::wstring_view cell) {
    std::uint64_t tenths = 0;
    for (wchar_t c : cell)
        if (c >= L'0' && c <= L'9') tenths = tenths * 10 + static_cast<std::uint64_t>(c - L'0');
    return tenths;
}

struct Sample {
    const wchar_t* label;  // a label of its own besides the row's, or null
    std::wstring value;
};

struct Metric {
    const wchar_t* name;
    const wchar_t* type;
    const wchar_t* help;
    // The samples of one row; none where the row has no value yet.
    std::vector<Sample> (*samples)(const PingItem& row);
};

std::vector<Sample> Up(const PingItem& row) {
    const std::int32_t status = row.LastStatus.load(kRelaxed);
    if (status == kStatusNone) return {};
    return {{nullptr, status == kStatusSuccess ? L"1" : L"0"}};
}

std::vector<Sample> Pings(const PingItem& row) {
    return {{L"result=\"success\"", std::to_wstring(row.SucceedCount.load(kRelaxed))},
            {L"result=\"failure\"", std::to_wstring(row.FailedCount.load(kRelaxed))}};
}

std::vector<Sample> Loss(const PingItem& row) {
    const std::wstring cell = row.GetText(kFieldLoss);  // percent in tenths: a ratio in thousandths
    if (cell.empty()) return {};
    return {{nullptr, DecimalText(Tenths(cell), 3)}};
}

std::vector<Sample> RoundTrip(const PingItem& row) {
    // The last time is that of the last success, which a failure keeps.
    if (row.SucceedCount.load(kRelaxed) == 0) return {};
    return {{L"stat=\"last\"", DecimalText(row.LastPingTime.load(kRelaxed), 3)},
            {L"stat=\"average\"", DecimalText(row.AveragePingTime(), 3)},
            {L"stat=\"min\"", DecimalText(row.MinPingTime.load(kRelaxed), 3)},
            {L"stat=\"max\"", DecimalText(row.MaxPingTime.load(kRelaxed), 3)}};
}

std::vector<Sample> Jitter(const PingItem& row) {
    const std::wstring cell = row.GetText(kFieldJitter);  // milliseconds in tenths
    if (cell.empty()) return {};
    return {{nullptr, DecimalText(Tenths(cell), 4)}};
}

std::vector<Sample> FailuresInARow(const PingItem& row) {
    if (row.LastStatus.load(kRelaxed) == kStatusNone) return {};
    return {{nullptr, std::to_wstring(row.FailuresInARow.load(kRelaxed))}};
}

std::vector<Sample> LastSuccess(const PingItem& row) {
    const std::uint32_t time = row.LastSuccessTime.load(kRelaxed);
    if (time == 0) return {};
    return {{nullptr, std::to_wstring(time)}};
}

constexpr Metric kMetrics[] = {
    {L"echosentinel_up", L"gauge", L"1 when the last ping of the row succeeded, 0 when it failed.", Up},
    {L"echosentinel_pings_total", L"counter", L"Pings of the row by result since its statistics were last reset.", Pings},
    {L"echosentinel_loss_ratio", L"gauge", L"Failed pings of the row as a fraction of all its pings.", Loss},
    {L"echosentinel_rtt_seconds", L"gauge",
     L"Round-trip time of the row's successful pings: the last, the average, the least and the greatest.", RoundTrip},
    {L"echosentinel_jitter_seconds", L"gauge",
     L"Mean difference between the round-trip times of consecutive successful pings of the row.", Jitter},
    {L"echosentinel_failures_in_a_row", L"gauge", L"Failed pings of the row since its last success.", FailuresInARow},
    {L"echosentinel_last_success_timestamp_seconds", L"gauge", L"Unix time of the last successful ping of the row.",
     LastSuccess},
};

std::wstring RowLabels(const PingItem& row, std::size_t position) {
    return L"host=\"" + EscapePrometheusLabel(row.HostName()) + L"\",address=\"" +
           EscapePrometheusLabel(row.GetText(kFieldAddress)) + L"\",description=\"" +
           EscapePrometheusLabel(row.Description()) + L"\",row=\"" + std::to_wstring(position) + L'"';
}

}  // namespace

std::wstring EscapePrometheusLabel(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"') out += L'\\';
        if (c == L'\n') out += L"\\n";
        else out += c;
    }
    return out;
}

std::wstring DecimalText(std::uint64_t value, int places) {
    if (places <= 0) return std::to_wstring(value);
    std::uint64_t scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    std::wstring fraction = std::to_wstring(value % scale);
    fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), L'0');
    while (!fraction.empty() && fraction.back() == L'0') fraction.pop_back();
    return std::to_wstring(value / scale) + (fraction.empty() ? L"" : L"." + fraction);
}

bool WritePrometheusReport(const PingItemList& list, TextSink& sink) {
    std::vector<std::wstring> labels;
    labels.reserve(list.Count());
    for (std::size_t i = 0; i < list.Count(); ++i) labels.push_back(RowLabels(list.Row(i), i + 1));
    bool ok = true;
    for (const Metric& metric : kMetrics) {
        std::wstring lines = L"# HELP " + std::wstring(metric.name) + L' ' + metric.help + L"\n# TYPE " + metric.name +
                             L' ' + metric.type + L'\n';
        for (std::size_t i = 0; i < list.Count(); ++i) {
            for (const Sample& sample : metric.samples(list.Row(i))) {
                lines += metric.name;
                lines += L'{' + labels[i] + (sample.label ? L"," + std::wstring(sample.label) : L"") + L"} " + sample.value + L'\n';
            }
            // Large lists go out in pieces of a few kilobytes.
            if (lines.size() > 4096) {
                ok = sink.WriteUtf8(lines) && ok;
                lines.clear();
            }
        }
        ok = sink.WriteUtf8(lines) && ok;
    }
    return ok;
}

}  // namespace es
