// The rows as metrics in the Prometheus text exposition format, for the textfile collectors of
// node_exporter and windows_exporter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ping/PingItemList.h"
#include "reports/TextSink.h"

namespace es {

// A label value as the format quotes it: backslash, double quote and line feed escaped.
std::wstring EscapePrometheusLabel(std::wstring_view text);
// value / 10^places exactly, without trailing zeros: (12, 3) gives "0.012".
std::wstring DecimalText(std::uint64_t value, int places);

// Every row in storage order, in UTF-8 with "\n" line ends: each metric's HELP and TYPE lines, then
// one sample per row that has a value for it. Each row's labels are its host, address, description
// and row (its position from 1), so rows of one address stay apart. False when a write failed.
bool WritePrometheusReport(const PingItemList& list, TextSink& sink);

}  // namespace es
